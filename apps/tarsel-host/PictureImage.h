#pragma once
// Between the host's pictures (B, G, R, A bytes, straight alpha, bottom row
// first) and Qt's images (top row first).

#include <QImage>
#include <cstdint>
#include <vector>

namespace tarsel_host {

// A null image for an empty picture.
QImage ImageOfPixels(int32_t width, int32_t height, const std::vector<uint8_t>& bgra);

}  // namespace tarsel_host
