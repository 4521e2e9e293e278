#include "engine/MatteFile.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "engine/PictureFile.h"

namespace engine {

namespace {

// 255 - alpha, which for a byte is alpha ^ 255: whole pixels at a time, so
// that the loop vectorises.
void InvertAlphas(uint8_t* data, size_t bytes) {
    for (size_t i = 0; i < bytes; i += kBytesPerPixel) {
        uint32_t pixel;
        std::memcpy(&pixel, data + i, sizeof pixel);
        pixel ^= uint32_t(0xFF) << (8 * kAlpha);
        std::memcpy(data + i, &pixel, sizeof pixel);
    }
}

}  // namespace

Result<Raster> ReadMatteFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Result<Raster>::Failure(kMatteMissing);
    // The matte's opacity is the file's alpha turned round.
    Result<Raster> picture = ReadPictureFile(path, InvertAlphas);
    // A matte raster that cannot be had is the effect's own allocation failure.
    if (!picture && picture.Error() == kOutOfMemory) return Result<Raster>::OutOfMemory();
    if (!picture) {
        return Result<Raster>::Failure("Cannot read the matte file " + path + ": " +
                                       picture.Error());
    }
    return picture;
}

}  // namespace engine
