#pragma once
// Pictures on disk for the command line: image files, read and written upright
// through the engine's picture files, or raw rasters (".bgra": B, G, R, A bytes,
// rows packed, bottom row first).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Result.h"

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;  // bottom row first
};

struct RawSize {
    int32_t width;
    int32_t height;
};

bool IsRawPath(const std::string& path);
// The error names the file and says why it cannot be used.
engine::Result<Picture> ReadPicture(const std::string& path, std::optional<RawSize> rawSize);
// Writes the whole file or nothing, in the format its name ends with.
engine::Result<> WritePicture(const std::string& path, const Picture& picture);
