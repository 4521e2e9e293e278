#include "apps/tarsel-host/PictureImage.h"

namespace tarsel_host {

QImage ImageOfPixels(int32_t width, int32_t height, const std::vector<uint8_t>& bgra) {
    if (width <= 0 || height <= 0 || bgra.size() != size_t(width) * size_t(height) * 4) {
        return {};
    }
    // On this little-endian platform Format_ARGB32 keeps each pixel as the bytes
    // B, G, R, A with straight alpha: the host's own layout, upside down.
    const QImage view(bgra.data(), width, height, width * 4, QImage::Format_ARGB32);
    return view.mirrored(false, true);
}

}  // namespace tarsel_host
