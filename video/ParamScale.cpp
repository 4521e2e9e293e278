#include "video/ParamScale.h"

#include <algorithm>
#include <cmath>

namespace video {

namespace {

constexpr int32_t kFullTurn = 360;

// Far beyond every range, yet safely within an int once rounded.
constexpr double kFarOut = 1e6;

int32_t Nearest(double value) { return int32_t(std::lround(std::clamp(value, -kFarOut, kFarOut))); }

}  // namespace

int32_t SettingOf(const FilterParam& param, double value, int32_t current) {
    if (std::isnan(value)) return current;
    if (param.kind == ParamKind::Angle) {
        return (Nearest(value * kFullTurn) % kFullTurn + kFullTurn) % kFullTurn;
    }
    return param.range.Clamp(Nearest(param.offset + value * param.scale));
}

double ValueOf(const FilterParam& param, int32_t setting) {
    if (param.kind == ParamKind::Angle) return double(setting) / kFullTurn;
    return (double(setting) - param.offset) / param.scale;
}

uint8_t ColorByteOf(double value, uint8_t current) {
    if (std::isnan(value)) return current;
    return uint8_t(std::clamp(Nearest(value * 255.0), 0, 255));
}

}  // namespace video
