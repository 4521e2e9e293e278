#pragma once
// The view's picture files: TGA, read and written upright (as any viewer
// shows them), whatever row order the file keeps.

#include <string>

#include "platform/imageview/ViewPicture.h"

namespace imageview {

// Larger pictures are refused before any pixel is decoded.
constexpr int64_t kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = 128LL * 1024 * 1024;

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
