#include "engine/PictureFile.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/MagickSupport.h"
#include "platform/files/AtomicFile.h"

namespace engine {

namespace {

// No accepted picture within the size limits comes near this.
constexpr uint64_t kMaxPictureFileBytes = 1ULL << 30;

bool StartsWith(const std::vector<char>& bytes, const char* signature, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

// The decoder for the file's contents, or "" when it is none of the accepted
// formats. TGA has no signature, so only a ".tga" name selects it; no other
// decoder ever sees the file.
std::string DecoderFor(const std::vector<char>& bytes, const std::string& path) {
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return "PNG";
    if (StartsWith(bytes, "\xff\xd8\xff", 3)) return "JPEG";
    if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return "GIF";
    if (StartsWith(bytes, "II*\0", 4) || StartsWith(bytes, "MM\0*", 4)) return "TIFF";
    if (StartsWith(bytes, "BM", 2)) return "BMP";
    if (LowerExtension(path) == ".tga") return "TGA";
    return {};
}

bool AcceptedFormat(const std::string& magick) {
    static const char* const kFormats[] = {"PNG",    "JPEG", "GIF",  "GIF87", "TIFF",
                                           "TIFF64", "BMP",  "BMP2", "BMP3",  "TGA"};
    return std::any_of(std::begin(kFormats), std::end(kFormats),
                       [&](const char* format) { return magick == format; });
}

int64_t MaxSide() {
    const auto library =
        std::min(Magick::ResourceLimits::width(), Magick::ResourceLimits::height());
    return int64_t(std::min<uint64_t>(uint64_t(kMaxPictureSide), library));
}

int64_t MaxPixels() {
    return int64_t(std::min<uint64_t>(uint64_t(kMaxPicturePixels), Magick::ResourceLimits::area()));
}

std::string Limits() {
    return "at most " + std::to_string(MaxSide()) + " pixels a side and " +
           std::to_string(MaxPixels()) + " pixels";
}

// Some formats (TGA with a bottom-left origin) come back from the reader in file
// row order with only the orientation label saying so.
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

Result<std::vector<char>> ReadBytes(const std::string& path) {
    using Bytes = Result<std::vector<char>>;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Bytes::Failure("the file does not exist");
    if (!std::filesystem::is_regular_file(path, ec)) return Bytes::Failure("not a file");
    const uint64_t fileSize = std::filesystem::file_size(path, ec);
    if (ec) return Bytes::Failure(ec.message());
    if (fileSize > kMaxPictureFileBytes) return Bytes::Failure("the file is too large");
    std::vector<char> bytes(fileSize);
    std::ifstream in(path, std::ios::binary);
    if (!in || !in.read(bytes.data(), std::streamsize(bytes.size()))) {
        return Bytes::Failure("the file cannot be read");
    }
    return bytes;
}

// Format and size from the header alone, before any pixel is decoded.
Result<> CheckHeader(const Magick::Blob& blob, const std::string& decoder) {
    Magick::Image header;
    header.quiet(true);
    header.magick(decoder);
    header.ping(blob);
    if (!AcceptedFormat(header.magick())) {
        return Result<>::Failure(header.magick() + " pictures are not accepted");
    }
    const int64_t width = int64_t(header.columns());
    const int64_t height = int64_t(header.rows());
    // The library gives no picture for a header beyond its own size limits.
    if (width == 0 || height == 0) {
        return Result<>::Failure("no picture could be read from it; it may be too large (" +
                                 Limits() + ")");
    }
    if (!PictureSizeAllowed(width, height))
        return Result<>::Failure(PictureTooLarge(width, height));
    return {};
}

Result<Raster> Decode(const Magick::Blob& blob, const std::string& decoder) {
    Magick::Image image;
    try {
        // Warnings are thrown too, so that a damaged file is noticed.
        image.quiet(false);
        image.magick(decoder);
        image.subImage(0);
        image.subRange(1);
        image.read(blob);
    } catch (const Magick::WarningCorruptImage& e) {
        return Result<Raster>::Failure(e.what());
    } catch (const Magick::Warning&) {
        // Anything else the decoder only warns about still gives the picture.
    }
    const int64_t width = int64_t(image.columns());
    const int64_t height = int64_t(image.rows());
    if (width == 0 || height == 0) return Result<Raster>::Failure("the file holds no picture");
    if (!PictureSizeAllowed(width, height)) {
        return Result<Raster>::Failure(PictureTooLarge(width, height));
    }
    MakeUpright(image);
    image.flip();  // bottom row first
    // Without an alpha channel some decoders leave the opacity of the pixels
    // unset: the picture is opaque, and its alpha must read so.
    if (!image.matte()) image.matte(true);
    Raster raster = Raster::Allocate(width, height);
    if (!raster) return Result<Raster>::OutOfMemory();
    image.write(0, 0, size_t(width), size_t(height), "BGRA", Magick::CharPixel, raster.Data());
    return raster;
}

}  // namespace

bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= MaxSide() && height <= MaxSide() &&
           width * height <= MaxPixels();
}

std::string PictureTooLarge(int64_t width, int64_t height) {
    return "the picture is too large: " + std::to_string(width) + "x" + std::to_string(height) +
           " (" + Limits() + ")";
}

Result<Raster> ReadPictureFile(const std::string& path) {
    Result<std::vector<char>> bytes = ReadBytes(path);
    if (!bytes) return Result<Raster>::FailureOf(std::move(bytes));
    const std::string decoder = DecoderFor(bytes.Value(), path);
    if (decoder.empty()) {
        return Result<Raster>::Failure("not a PNG, TGA, BMP, JPEG, TIFF or GIF picture");
    }
    EnsureMagickInitialized();
    const Magick::Blob blob(bytes.Value().data(), bytes.Value().size());
    bytes = std::vector<char>{};
    try {
        if (Result<> header = CheckHeader(blob, decoder); !header) {
            return Result<Raster>::FailureOf(std::move(header));
        }
        return Decode(blob, decoder);
    } catch (const Magick::Exception& e) {
        return Result<Raster>::Failure(e.what());
    }
}

Result<> WritePictureFile(const std::string& path, RasterView pixels, const std::string& format,
                          PixelOrder order) {
    EnsureMagickInitialized();
    Magick::Image image;
    // Warnings are only reported by the library; errors end the write.
    image.quiet(true);
    Magick::Blob blob;
    try {
        image.read(size_t(pixels.width), size_t(pixels.height),
                   order == PixelOrder::Rgba ? "RGBA" : "BGRA", Magick::CharPixel, pixels.pixels);
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        return Result<>::Failure(e.what());
    }
    try {
        // The library takes the first row as the top; ours is the bottom. Its TGA
        // writer keeps the rows in image order and labels the origin from the
        // orientation, so the flipped image must say it starts at the top.
        image.flip();
        image.orientation(MagickCore::TopLeftOrientation);
        image.magick(format);
        image.matte(true);
        image.write(&blob);
    } catch (const Magick::Warning&) {
        // A warning still gives the file.
    } catch (const Magick::Exception& e) {
        return Result<>::Failure(e.what());
    }
    const std::string_view bytes(static_cast<const char*>(blob.data()), blob.length());
    if (const std::error_code error = files::ReplaceFile(path, bytes)) {
        return Result<>::Failure(files::WriteErrorText(path, error));
    }
    return {};
}

}  // namespace engine
