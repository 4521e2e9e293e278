#include "engine/BlurTaps.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "engine/AntiFlicker.h"

namespace engine {

namespace {

constexpr int kShift = 24;
constexpr int64_t kOne = int64_t(1) << kShift;

// A multiplier and offset that reproduce the tap's 256 rounded values exactly,
// searched near the weight scaled to 24 bits; false when there is none. The
// values lie on a rounded straight line, so the pair only has to keep every
// a * m + b inside [g * 2^24, (g + 1) * 2^24): a range of offsets per multiplier.
bool FindMultiplier(double weight, uint32_t& multiplier, uint32_t& offset) {
    const int64_t centre = std::llround(weight * double(kOne));
    for (int64_t delta = 0; delta <= 16; ++delta) {
        for (const int64_t m : {centre - delta, centre + delta}) {
            if (m < 0 || m > kOne) continue;
            int64_t low = 0;
            int64_t high = kOne - 1;
            for (int a = 0; a < 256; ++a) {
                const int64_t g = TapValue(uint8_t(a), weight);
                low = std::max(low, g * kOne - a * m);
                high = std::min(high, (g + 1) * kOne - 1 - a * m);
            }
            // a * m + b stays below 2^32 for a <= 255, m <= 2^24, b < 2^24.
            if (low <= high) {
                multiplier = uint32_t(m);
                offset = uint32_t(low);
                return true;
            }
        }
    }
    return false;
}

// A multiplier r with (a * r + 2^14) >> 15 == g(a) for every alpha; -1 when
// there is none. Each alpha a > 0 bounds r to an interval; any r in all of
// them will do.
int16_t FindRoundingMultiplier(double weight) {
    if (TapValue(0, weight) != 0) return -1;
    int64_t low = 0;
    int64_t high = 32767;
    for (int64_t a = 1; a < 256; ++a) {
        const int64_t g = TapValue(uint8_t(a), weight);
        // g * 2^15 <= a * r + 2^14 < (g + 1) * 2^15
        const int64_t least = g * 32768 - 16384;
        const int64_t most = (g + 1) * 32768 - 16384 - 1;
        low = std::max(low, least <= 0 ? 0 : (least + a - 1) / a);
        high = std::min(high, most < 0 ? -1 : most / a);
    }
    return low <= high ? int16_t(low) : int16_t(-1);
}

}  // namespace

BlurTaps MakeBlurTaps(int32_t s) {
    BlurTaps taps;
    taps.size = s;
    taps.weights = EffectKernel(s);
    const int64_t count = 2 * int64_t(s) + 1;

    if (count <= kMaxMultiplierTaps) {
        taps.roundingMultiplier.resize(size_t(count));
        for (int64_t i = 0; i < count; ++i) {
            taps.roundingMultiplier[size_t(i)] = FindRoundingMultiplier(taps.weights[size_t(i)]);
        }
        taps.multiplier.resize(size_t(count));
        taps.offset.resize(size_t(count));
        for (int64_t i = 0; i < count; ++i) {
            if (!FindMultiplier(taps.weights[size_t(i)], taps.multiplier[size_t(i)],
                                taps.offset[size_t(i)])) {
                taps.multiplier.clear();
                taps.offset.clear();
                break;
            }
        }
    }

    taps.stepBegin.resize(257);
    for (int a = 0; a < 256; ++a) {
        taps.stepBegin[size_t(a)] = uint32_t(taps.stepPosition.size());
        int32_t previous = 0;
        for (int64_t i = 0; i <= count; ++i) {
            const int32_t g = i < count ? TapValue(uint8_t(a), taps.weights[size_t(i)]) : 0;
            if (g != previous) {
                taps.stepPosition.push_back(int32_t(i));
                taps.stepAmount.push_back(g - previous);
                previous = g;
            }
        }
    }
    taps.stepBegin[256] = uint32_t(taps.stepPosition.size());
    return taps;
}

std::shared_ptr<const BlurTaps> SharedBlurTaps(int32_t s) {
    if (s < 1 || s > kKeptTapSizes) return std::make_shared<const BlurTaps>(MakeBlurTaps(s));
    static std::mutex mutex;
    static std::shared_ptr<const BlurTaps> kept[kKeptTapSizes];
    std::shared_ptr<const BlurTaps>& slot = kept[s - 1];
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (slot) return slot;
    }
    // Made outside the lock: another size may be made at the same time.
    auto made = std::make_shared<const BlurTaps>(MakeBlurTaps(s));
    const std::lock_guard<std::mutex> lock(mutex);
    if (!slot) slot = std::move(made);
    return slot;
}

}  // namespace engine
