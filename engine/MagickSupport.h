#pragma once
// Shared set-up of the image library.

namespace engine {

// Initialises the library once, before its first use.
void EnsureMagickInitialized();

}  // namespace engine
