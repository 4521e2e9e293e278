#pragma once
// Pictures on disk for the command line: image files read and written upright
// through the image library, or raw rasters (".bgra": B, G, R, A bytes, rows
// packed, bottom row first).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;  // bottom row first
};

struct RawSize {
    int32_t width;
    int32_t height;
};

// Larger pictures are refused before any pixel is read.
constexpr int64_t kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = 128LL * 1024 * 1024;

bool IsRawPath(const std::string& path);
// On failure returns nothing and sets error to a message for the operator.
std::optional<Picture> ReadPicture(const std::string& path, std::optional<RawSize> rawSize,
                                   std::string& error);
// Writes the whole file or nothing: the picture is encoded first, then written to
// a temporary file that replaces the target. Returns an error message or "".
std::string WritePicture(const std::string& path, const Picture& picture);
