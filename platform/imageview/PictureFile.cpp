#include "platform/imageview/PictureFile.h"

#include "engine/PictureFile.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/WholeFile.h"

namespace imageview {

namespace {

// A TGA of the largest picture allowed is far below this.
constexpr uint64_t kMaxFileBytes = 1ULL << 30;

PictureRead Refuse(std::string error) { return {ViewPicture{}, std::move(error)}; }

}  // namespace

PictureRead ReadTgaPicture(const std::string& path) {
    const files::WholeFile file = files::ReadWholeFile(path, kMaxFileBytes);
    const std::string cannotRead = "Cannot show the picture file " + path;
    switch (file.problem) {
        case files::ReadProblem::None: break;
        case files::ReadProblem::Missing:
            return Refuse("The picture file " + path + " does not exist");
        case files::ReadProblem::NotAFile: return Refuse(cannotRead + ": not a file");
        case files::ReadProblem::TooLarge: return Refuse(cannotRead + ": the file is too large");
        case files::ReadProblem::Unreadable: return Refuse(cannotRead);
    }
    const engine::Result<engine::Raster> decoded = engine::DecodePicture(file.bytes, "TGA");
    if (!decoded) return Refuse(cannotRead + ": " + decoded.Error());

    // The engine's raster is blue first and bottom row first.
    const engine::Raster& raster = decoded.Value();
    PictureRead result;
    ViewPicture& picture = result.picture;
    picture.width = raster.Width();
    picture.height = raster.Height();
    picture.rgba.resize(raster.ByteSize());
    uint8_t* out = picture.rgba.data();
    for (int32_t y = picture.height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < picture.width; ++x, out += 4) {
            const uint8_t* in = raster.View().Pixel(x, y);
            out[0] = in[engine::kRed];
            out[1] = in[engine::kGreen];
            out[2] = in[engine::kBlue];
            out[3] = in[engine::kAlpha];
        }
    }
    return result;
}

std::string WriteTgaPicture(const ViewPicture& picture, const std::string& path, bool withAlpha) {
    if (picture.IsEmpty()) return "There is no picture to write to " + path;
    const engine::Result<std::string> encoded =
        engine::EncodePicture({picture.rgba.data(), picture.width, picture.height,
                               engine::PixelOrder::Rgba, engine::RowOrder::TopFirst, withAlpha},
                              "tga");
    if (!encoded) return "Cannot write the picture file " + path + ": " + encoded.Error();
    const std::error_code error = files::ReplaceFile(path, encoded.Value());
    return error ? files::WriteErrorText(path, error) : std::string();
}

}  // namespace imageview
