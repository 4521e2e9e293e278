#include "engine/MatteFile.h"

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
    Raster& matte = picture.Value();
    for (size_t i = kAlpha; i < matte.ByteSize(); i += kBytesPerPixel) {
        matte.Data()[i] = uint8_t(255 - matte.Data()[i]);
    }
    return picture;
}

}  // namespace engine
