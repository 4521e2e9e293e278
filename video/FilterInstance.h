#pragma once
// One filter at work on frames of one size: its settings and the rendering of a
// frame. The effect runs on the whole frame as one picture; the output frame is
// the window of the effect's result where the frame lay, so the graphic keeps
// its place and what the effect adds beyond the frame's edges is cut off.

#include <array>
#include <cstdint>

#include "engine/Raster.h"
#include "engine/Result.h"
#include "video/VideoFilter.h"

namespace video {

class FilterInstance {
public:
    FilterInstance(const VideoFilter& filter, int32_t width, int32_t height);

    const VideoFilter& Filter() const { return m_filter; }
    const FilterSettings& Settings() const { return m_settings; }

    // Number and angle parameters by index; other indexes are ignored (set)
    // or read as 0.
    void SetNumber(int index, double value);
    double Number(int index) const;
    void SetColor(const std::array<double, 3>& redGreenBlue);
    std::array<double, 3> Color() const;

    // Renders one frame (top row first) from `in` into `out`, both of the
    // instance's size. When the effect fails (no memory for it) the output
    // is the input unchanged and the failure is returned.
    engine::Result<> Render(const uint8_t* in, uint8_t* out);

private:
    bool IsNumber(int index) const;

    const VideoFilter& m_filter;
    int32_t m_width;
    int32_t m_height;
    FilterSettings m_settings;
    // The frame as the effect's picture, kept from frame to frame: fresh
    // memory costs a page fault for every 4 KiB on first touch.
    engine::Raster m_picture;
};

}  // namespace video
