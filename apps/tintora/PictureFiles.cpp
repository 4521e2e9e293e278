#include "apps/tintora/PictureFiles.h"

#include <filesystem>

#include "engine/PictureFile.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/WholeFile.h"

namespace {

using PictureResult = engine::Result<Picture>;

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

PictureResult ReadRaw(const std::string& path, RawSize size) {
    if (!engine::PictureSizeAllowed(size.width, size.height)) {
        return PictureResult::Failure(path + ": " +
                                      engine::PictureTooLarge(size.width, size.height));
    }
    const size_t expected = size_t(size.width) * size_t(size.height) * 4;
    const std::string needs = std::to_string(size.width) + "x" + std::to_string(size.height) +
                              " needs " + std::to_string(expected);
    files::WholeFile file = files::ReadWholeFile(path, expected);
    switch (file.problem) {
        case files::ReadProblem::None: break;
        case files::ReadProblem::Missing:
            return PictureResult::Failure(path + ": the file does not exist");
        case files::ReadProblem::NotAFile: return PictureResult::Failure(path + ": not a file");
        case files::ReadProblem::TooLarge:
            return PictureResult::Failure(path + ": more bytes than " + needs);
        case files::ReadProblem::Unreadable: return PictureResult::Failure("cannot read " + path);
    }
    if (file.bytes.size() != expected) {
        return PictureResult::Failure(path + ": " + std::to_string(file.bytes.size()) +
                                      " bytes, but " + needs);
    }
    return Picture{size.width, size.height,
                   std::vector<uint8_t>(file.bytes.begin(), file.bytes.end())};
}

}  // namespace

bool IsRawPath(const std::string& path) { return EndsWith(path, ".bgra"); }

PictureResult ReadPicture(const std::string& path, std::optional<RawSize> rawSize) {
    if (IsRawPath(path)) {
        if (!rawSize) return PictureResult::Failure("a raw input needs --input-size WxH");
        return ReadRaw(path, *rawSize);
    }
    engine::Result<engine::Raster> read = engine::ReadPictureFile(path);
    if (!read) return PictureResult::Failure(path + ": " + read.Error());
    const engine::Raster& raster = read.Value();
    return Picture{raster.Width(), raster.Height(),
                   std::vector<uint8_t>(raster.Data(), raster.Data() + raster.ByteSize())};
}

engine::Result<> WritePicture(const std::string& path, const Picture& picture) {
    if (IsRawPath(path)) {
        const std::string_view bytes(reinterpret_cast<const char*>(picture.bgra.data()),
                                     picture.bgra.size());
        if (const std::error_code error = files::ReplaceFile(path, bytes)) {
            return engine::Result<>::Failure(files::WriteErrorText(path, error));
        }
        return {};
    }
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension.size() < 2) {
        return engine::Result<>::Failure("cannot tell the file format of " + path);
    }
    const engine::RasterView view{picture.bgra.data(), picture.width, picture.height};
    return engine::WritePictureFile(path, view, extension.substr(1));
}
