#include "engine/MagickSupport.h"

#include <mutex>

namespace engine {

void EnsureMagickInitialized() {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

void MakeUpright(Magick::Image& image) {
    switch (image.orientation()) {
        case MagickCore::BottomLeftOrientation: image.flip(); break;
        case MagickCore::TopRightOrientation: image.flop(); break;
        case MagickCore::BottomRightOrientation:
            image.flip();
            image.flop();
            break;
        default: return;
    }
    image.orientation(MagickCore::TopLeftOrientation);
}

}  // namespace engine
