#pragma once
// The image library's set-up, one policy for every program and the plug-in
// module: its resource limits, which of its coders may run, no delegate
// programs. Every picture size the system takes or makes is checked against
// the limits that policy leaves in force.

#include <cstdint>
#include <string>

namespace engine {

// Initialises the library once and puts the policy in force: pictures of at
// most 16000 pixels a side and 128,000,000 pixels, a pixel cache of 256 MiB in
// memory and none on disk; only the coders of the still-picture formats below
// (and the raw pixels the effects exchange with the library) may read or
// write, so nothing reads other files or starts another program. Programs and
// the module call it at start-up; every entry into the library calls it too.
void SetUpImageLibrary();

// The largest picture the library holds under the policy (a system policy may
// make it smaller): sides within its width and height limits, pixels within its
// area limit and, since nothing is cached on disk, within its memory limit.
struct PictureLimits {
    int64_t maxSide;
    int64_t maxPixels;
};
PictureLimits CurrentPictureLimits();

bool PictureSizeAllowed(int64_t width, int64_t height);
// "at most ... pixels a side and ... pixels".
std::string PictureLimitsText();
// "the picture is too large: WxH (at most ... pixels a side and ... pixels)".
std::string PictureTooLarge(int64_t width, int64_t height);

// Row order of pixels handed to or taken from a picture file.
enum class RowOrder { TopFirst, BottomFirst };

// The still-picture formats read and written: PNG, TGA, BMP, JPEG, TIFF, GIF.
inline constexpr const char* kPictureFormatNames = "PNG, TGA, BMP, JPEG, TIFF or GIF";
// The coder for a file name's extension (".png", ".JPG", ...): "PNG", "TGA",
// "BMP", "JPEG", "TIFF", "GIF", or "" for any other.
std::string PictureFormatForExtension(const std::string& extension);

}  // namespace engine
