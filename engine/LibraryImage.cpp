#include "engine/LibraryImage.h"

#include <cstring>

#include "engine/ImageLibrary.h"

namespace engine {

Result<Magick::Image> ImageFromPixels(const uint8_t* pixels, int32_t width, int32_t height,
                                      const char* map, RowOrder order) {
    SetUpImageLibrary();
    if (width <= 0 || height <= 0) return Result<Magick::Image>::Failure("the picture is empty");
    if (!PictureSizeAllowed(width, height)) {
        return Result<Magick::Image>::Failure(PictureTooLarge(width, height));
    }
    MagickCore::Image* image = MagickCore::AcquireImage(nullptr);
    if (!image) return Result<Magick::Image>::OutOfMemory();
    // Owned by the Magick++ image from here, which frees it on every path.
    Magick::Image owner(image);
    if (!MagickCore::SetImageExtent(image, size_t(width), size_t(height))) {
        const char* reason = image->exception.reason;
        return Result<Magick::Image>::Failure(reason ? reason : "the picture cannot be held");
    }
    // Told before the import, so that the imported alpha is kept.
    if (std::strchr(map, 'A')) image->matte = MagickCore::MagickTrue;
    const size_t rowBytes = size_t(width) * std::strlen(map);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t source = order == RowOrder::TopFirst ? y : height - 1 - y;
        if (!MagickCore::ImportImagePixels(image, 0, y, size_t(width), 1, map,
                                           MagickCore::CharPixel, pixels + source * rowBytes)) {
            const char* reason = image->exception.reason;
            return Result<Magick::Image>::Failure(reason ? reason : "the picture cannot be held");
        }
    }
    image->depth = 8;
    return owner;
}

void PixelsFromImage(Magick::Image& image, const char* map, uint8_t* out, RowOrder order) {
    const size_t width = image.columns();
    const size_t height = image.rows();
    const size_t rowBytes = width * std::strlen(map);
    for (size_t y = 0; y < height; ++y) {
        const size_t target = order == RowOrder::TopFirst ? y : height - 1 - y;
        image.write(0, ssize_t(y), width, 1, map, Magick::CharPixel, out + target * rowBytes);
    }
}

}  // namespace engine
