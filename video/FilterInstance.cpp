#include "video/FilterInstance.h"

#include <cstring>

#include "video/FrameRows.h"
#include "video/ParamScale.h"

namespace video {

FilterInstance::FilterInstance(const VideoFilter& filter, int32_t width, int32_t height)
    : m_filter(filter), m_width(width), m_height(height), m_settings(filter.InitialSettings()) {}

bool FilterInstance::IsNumber(int index) const {
    return index >= 0 && size_t(index) < m_filter.params.size() &&
           m_filter.params[size_t(index)].kind != ParamKind::Color;
}

void FilterInstance::SetNumber(int index, double value) {
    if (!IsNumber(index)) return;
    int32_t& setting = m_settings.values[size_t(index)];
    setting = SettingOf(m_filter.params[size_t(index)], value, setting);
}

double FilterInstance::Number(int index) const {
    if (!IsNumber(index)) return 0.0;
    return ValueOf(m_filter.params[size_t(index)], m_settings.values[size_t(index)]);
}

void FilterInstance::SetColor(const std::array<double, 3>& redGreenBlue) {
    engine::EffectColor& color = m_settings.color;
    color.red = ColorByteOf(redGreenBlue[0], color.red);
    color.green = ColorByteOf(redGreenBlue[1], color.green);
    color.blue = ColorByteOf(redGreenBlue[2], color.blue);
}

std::array<double, 3> FilterInstance::Color() const {
    const engine::EffectColor& color = m_settings.color;
    return {color.red / 255.0, color.green / 255.0, color.blue / 255.0};
}

engine::Result<> FilterInstance::Render(const uint8_t* in, uint8_t* out) {
    const size_t frameBytes = size_t(m_width) * size_t(m_height) * engine::kBytesPerPixel;
    if (!m_picture) m_picture = engine::Raster::Allocate(m_width, m_height);
    if (!m_picture) {
        std::memcpy(out, in, frameBytes);
        return engine::Result<>::OutOfMemory();
    }
    FrameToRaster(in, m_picture.MutableView());
    PlacedResult placed = m_filter.run(m_picture.MutableView(), m_settings);
    if (!placed.result) {
        std::memcpy(out, in, frameBytes);
        return engine::Result<>::FailureOf(std::move(placed.result));
    }
    FrameFromWindow(placed.result.Value().View(), placed.x, placed.y, out, m_width, m_height);
    return {};
}

}  // namespace video
