#include "engine/MagickSupport.h"

#include <Magick++.h>

#include <mutex>

namespace engine {

void EnsureMagickInitialized() {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

}  // namespace engine
