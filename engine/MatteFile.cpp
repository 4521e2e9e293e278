#include "engine/MatteFile.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "engine/PictureFile.h"

namespace engine {

Result<Raster> ReadMatteFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Result<Raster>::Failure(kMatteMissing);
    Result<Raster> picture = ReadPictureFile(path);
    // A matte raster that cannot be had is the effect's own allocation failure.
    if (!picture && picture.Error() == kOutOfMemory) return Result<Raster>::OutOfMemory();
    if (!picture) {
        return Result<Raster>::Failure("Cannot read the matte file " + path + ": " +
                                       picture.Error());
    }
    // 255 - alpha, which for a byte is alpha ^ 255: whole pixels at a time,
    // so that the loop vectorises.
    // (The size is a value: byte stores could alias the raster's fields.)
    Raster& matte = picture.Value();
    uint8_t* data = matte.Data();
    const size_t size = matte.ByteSize();
    for (size_t i = 0; i < size; i += kBytesPerPixel) {
        uint32_t pixel;
        std::memcpy(&pixel, data + i, sizeof pixel);
        pixel ^= uint32_t(0xFF) << (8 * kAlpha);
        std::memcpy(data + i, &pixel, sizeof pixel);
    }
    return picture;
}

}  // namespace engine
