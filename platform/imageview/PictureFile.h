#pragma once
// The view's picture files: TGA, read and written upright (as any viewer
// shows them), whatever row order the file keeps, through the engine's
// picture files and so within the image library's limits.

#include <string>

#include "platform/imageview/ViewPicture.h"

namespace imageview {

struct PictureRead {
    ViewPicture picture;
    // Why the file cannot be shown; empty when picture holds it.
    std::string error;
};

// Only the TGA decoder ever sees the file. A picture without alpha is opaque.
PictureRead ReadTgaPicture(const std::string& path);

// Replaces the file in one step (temporary file, then rename). Without alpha
// the file holds red, green and blue only. Returns why it failed, or "".
std::string WriteTgaPicture(const ViewPicture& picture, const std::string& path, bool withAlpha);

}  // namespace imageview
