#include "engine/TgaExport.h"

#include <Magick++.h>

#include "engine/MagickSupport.h"

namespace engine {

std::string WriteTga(RasterView rgbaBottomUp, const std::string& path) {
    EnsureMagickInitialized();
    Magick::Image image;
    // Warnings are only reported by the library; errors end the export.
    image.quiet(true);
    try {
        image.read(size_t(rgbaBottomUp.width), size_t(rgbaBottomUp.height), "RGBA",
                   Magick::CharPixel, rgbaBottomUp.pixels);
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        return e.what();
    }
    try {
        // The library takes the first row as the top; ours is the bottom. Its TGA
        // writer keeps the rows in image order and labels the origin from the
        // orientation, so the flipped image must say it starts at the top.
        image.flip();
        image.orientation(MagickCore::TopLeftOrientation);
        image.magick("tga");
        image.matte(true);
        image.write(path);
    } catch (const Magick::Warning&) {
        // A warning still writes the file.
    } catch (const Magick::Exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace engine
