#include "platform/imageview/PictureFile.h"

#include <Magick++.h>

#include <filesystem>
#include <fstream>
#include <mutex>

#include "platform/files/AtomicFile.h"

namespace imageview {

namespace {

// A TGA of the largest picture allowed is far below this.
constexpr uint64_t kMaxFileBytes = 1ULL << 30;

void EnsureMagickInitialized() {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

// The library's 16-bit channels to one byte, rounding as its ScaleQuantumToChar does.
uint8_t ToByte(MagickCore::Quantum q) { return uint8_t((uint32_t(q) + 128) / 257); }

PictureRead Refuse(std::string error) { return {ViewPicture{}, std::move(error)}; }

bool SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// The reader hands back a bottom-left TGA in file row order, labelled with
// its origin; turned here so that the first row is the top.
void MakeUpright(Magick::Image& image) {
    switch (image.orientation()) {
        case MagickCore::BottomLeftOrientation: image.flip(); break;
        case MagickCore::TopRightOrientation: image.flop(); break;
        case MagickCore::BottomRightOrientation:
            image.flip();
            image.flop();
            break;
        default: return;
    }
    image.orientation(MagickCore::TopLeftOrientation);
}

}  // namespace

PictureRead ReadTgaPicture(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return Refuse("The picture file " + path + " does not exist");
    const std::string cannotRead = "Cannot show the picture file " + path;
    if (!std::filesystem::is_regular_file(path, ec)) return Refuse(cannotRead + ": not a file");
    const uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return Refuse(cannotRead);
    if (size > kMaxFileBytes) return Refuse(cannotRead + ": the file is too large");
    std::string bytes(size, '\0');
    {
        std::ifstream in(path, std::ios::binary);
        if (!in || !in.read(bytes.data(), std::streamsize(bytes.size()))) return Refuse(cannotRead);
    }
    EnsureMagickInitialized();
    const Magick::Blob blob(bytes.data(), bytes.size());
    bytes = {};
    try {
        // The header first: the size is checked before any pixel is decoded.
        Magick::Image header;
        header.quiet(true);
        header.magick("TGA");
        header.ping(blob);
        if (!SizeAllowed(int64_t(header.columns()), int64_t(header.rows()))) {
            return Refuse(cannotRead + ": no picture of at most " +
                          std::to_string(kMaxPictureSide) + " pixels a side in it");
        }
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }
    Magick::Image image;
    try {
        // Warnings are thrown too, so that a damaged file is noticed.
        image.quiet(false);
        image.magick("TGA");
        image.read(blob);
    } catch (const Magick::WarningCorruptImage& e) {
        return Refuse(cannotRead + ": " + e.what());
    } catch (const Magick::Warning&) {
        // A picture the decoder only warns about is still shown.
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }
    const int64_t width = int64_t(image.columns());
    const int64_t height = int64_t(image.rows());
    if (!SizeAllowed(width, height)) return Refuse(cannotRead + ": the file holds no picture");

    PictureRead result;
    try {
        MakeUpright(image);
        ViewPicture& picture = result.picture;
        picture.width = int32_t(width);
        picture.height = int32_t(height);
        picture.rgba.resize(size_t(width) * size_t(height) * 4);
        const bool alpha = image.matte();
        const Magick::PixelPacket* q = image.getConstPixels(0, 0, size_t(width), size_t(height));
        uint8_t* p = picture.rgba.data();
        for (int64_t i = 0; i < width * height; ++i, ++q, p += 4) {
            p[0] = ToByte(q->red);
            p[1] = ToByte(q->green);
            p[2] = ToByte(q->blue);
            // The library keeps opacity, 0 for opaque.
            p[3] = alpha ? uint8_t(255 - ToByte(q->opacity)) : 255;
        }
    } catch (const std::bad_alloc&) {
        return Refuse(cannotRead + ": out of memory");
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }
    return result;
}

std::string WriteTgaPicture(const ViewPicture& picture, const std::string& path, bool withAlpha) {
    if (picture.IsEmpty()) return "There is no picture to write to " + path;
    EnsureMagickInitialized();
    Magick::Blob blob;
    try {
        Magick::Image image;
        image.quiet(true);
        image.read(size_t(picture.width), size_t(picture.height), "RGBA", Magick::CharPixel,
                   picture.rgba.data());
        // Rows go out top first and the file says so, so readers show it upright.
        image.orientation(MagickCore::TopLeftOrientation);
        image.magick("TGA");
        image.matte(withAlpha);
        // Colour even when every pixel is grey, as a black and white mask is.
        image.type(withAlpha ? Magick::TrueColorMatteType : Magick::TrueColorType);
        image.write(&blob);
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        return "Cannot write the picture file " + path + ": " + e.what();
    }
    if (blob.length() == 0) return "Cannot write the picture file " + path;
    const std::error_code error = files::ReplaceFile(
        path, std::string_view(static_cast<const char*>(blob.data()), blob.length()));
    return error ? files::WriteErrorText(path, error) : std::string();
}

}  // namespace imageview
