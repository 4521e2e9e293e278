#include "engine/PictureFile.h"

#include <Magick++.h>

#include <sys/uio.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "engine/LibraryImage.h"
#include "engine/TgaFile.h"
#include "engine/WorkerPool.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/WholeFile.h"

namespace engine {

namespace {

// No accepted picture within the size limits comes near this.
constexpr uint64_t kMaxPictureFileBytes = 1ULL << 30;

bool StartsWith(std::string_view bytes, std::string_view signature) {
    return bytes.substr(0, signature.size()) == signature;
}

// Format and size from the header alone, before any pixel is decoded.
Result<> CheckHeader(const Magick::Blob& blob, const std::string& decoder) {
    Magick::Image header;
    header.quiet(true);
    header.magick(decoder);
    header.subImage(0);
    header.subRange(1);
    header.ping(blob);
    const int64_t width = int64_t(header.columns());
    const int64_t height = int64_t(header.rows());
    // The library gives no picture for a header beyond its own size limits.
    if (width == 0 || height == 0) {
        return Result<>::Failure("no picture could be read from it; it may be too large (" +
                                 PictureLimitsText() + ")");
    }
    if (!PictureSizeAllowed(width, height))
        return Result<>::Failure(PictureTooLarge(width, height));
    return {};
}

// Where the pixel that appears at (x, y) from the top left lies in the picture
// as decoded (w x h, first row the top), for each orientation label.
struct StoredPixel {
    int32_t x;
    int32_t y;
};
StoredPixel Stored(int orientation, int32_t x, int32_t y, int32_t w, int32_t h) {
    switch (orientation) {
        case MagickCore::TopRightOrientation: return {w - 1 - x, y};
        case MagickCore::BottomRightOrientation: return {w - 1 - x, h - 1 - y};
        case MagickCore::BottomLeftOrientation: return {x, h - 1 - y};
        case MagickCore::LeftTopOrientation: return {y, x};
        case MagickCore::RightTopOrientation: return {y, h - 1 - x};
        case MagickCore::RightBottomOrientation: return {w - 1 - y, h - 1 - x};
        case MagickCore::LeftBottomOrientation: return {w - 1 - y, x};
        default: return {x, y};
    }
}

bool SidesTurn(int orientation) {
    return orientation >= MagickCore::LeftTopOrientation &&
           orientation <= MagickCore::LeftBottomOrientation;
}

// The orientation label as the file gave it. A photo's EXIF data may hold any
// number there, which the library keeps as it is, outside its own enumeration.
int OrientationLabel(const Magick::Image& image) {
    static_assert(sizeof(MagickCore::OrientationType) == sizeof(int));
    int label = 0;
    std::memcpy(&label, &image.constImage()->orientation, sizeof label);
    return label;
}

// The decoded picture as it appears upright, bottom row first. Pictures come
// back from the library in file row order, with only the orientation label
// (a TGA's origin, a photo's EXIF orientation) saying how they are shown.
Result<Raster> Upright(Magick::Image& image) {
    const int orientation = OrientationLabel(image);
    const auto w = int32_t(image.columns());
    const auto h = int32_t(image.rows());
    // Undefined, top-left and any number that is no orientation show it as stored.
    if (orientation < MagickCore::TopRightOrientation ||
        orientation > MagickCore::LeftBottomOrientation) {
        Raster raster = Raster::Allocate(w, h);
        if (!raster) return Result<Raster>::OutOfMemory();
        PixelsFromImage(image, "BGRA", raster.Data(), RowOrder::BottomFirst);
        return raster;
    }
    Raster stored = Raster::Allocate(w, h);
    if (!stored) return Result<Raster>::OutOfMemory();
    PixelsFromImage(image, "BGRA", stored.Data(), RowOrder::TopFirst);
    image = Magick::Image();
    const int32_t width = SidesTurn(orientation) ? h : w;
    const int32_t height = SidesTurn(orientation) ? w : h;
    Raster raster = Raster::Allocate(width, height);
    if (!raster) return Result<Raster>::OutOfMemory();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const StoredPixel from = Stored(orientation, x, y, w, h);
            std::memcpy(raster.MutableView().Pixel(x, height - 1 - y),
                        stored.View().Pixel(from.x, from.y), kBytesPerPixel);
        }
    }
    return raster;
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
    // Without an alpha channel some decoders leave the opacity of the pixels
    // unset: the picture is opaque, and its alpha must read so.
    if (!image.matte()) image.matte(true);
    return Upright(image);
}

}  // namespace

std::string DecoderFor(std::string_view bytes, const std::string& path) {
    using namespace std::string_view_literals;
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n"sv)) return "PNG";
    if (StartsWith(bytes, "\xff\xd8\xff"sv)) return "JPEG";
    if (StartsWith(bytes, "GIF87a"sv) || StartsWith(bytes, "GIF89a"sv)) return "GIF";
    if (StartsWith(bytes, "II*\0"sv) || StartsWith(bytes, "MM\0*"sv)) return "TIFF";
    if (StartsWith(bytes, "BM"sv)) return "BMP";
    if (PictureFormatForExtension(std::filesystem::path(path).extension().string()) == "TGA") {
        return "TGA";
    }
    return {};
}

Result<Raster> DecodePicture(std::string_view bytes, const std::string& decoder) {
    // The common TGA files are decoded directly, to the same pixels; the
    // library reads every other one, and gives the errors.
    if (decoder == "TGA") {
        if (std::optional<Result<Raster>> direct = DecodeTgaDirectly(bytes)) {
            return std::move(*direct);
        }
    }
    return DecodePictureWithLibrary(bytes, decoder);
}

Result<Raster> DecodePictureWithLibrary(std::string_view bytes, const std::string& decoder) {
    if (decoder.empty()) {
        return Result<Raster>::Failure(std::string("not a ") + kPictureFormatNames + " picture");
    }
    SetUpImageLibrary();
    try {
        const Magick::Blob blob(bytes.data(), bytes.size());
        if (Result<> header = CheckHeader(blob, decoder); !header) {
            return Result<Raster>::FailureOf(std::move(header));
        }
        return Decode(blob, decoder);
    } catch (const Magick::Exception& e) {
        return Result<Raster>::Failure(e.what());
    }
}

namespace {

// A picture file's bytes in a kept block: a large file then costs no fresh
// memory to be zeroed and faulted in, each time it is read.
class BlockBuffer : public files::FileBuffer {
public:
    uint8_t* Grow(size_t bytes, size_t kept) override {
        BlockArray<uint8_t> grown(static_cast<uint8_t*>(TakeBlock(bytes)));
        if (grown && kept > 0) std::memcpy(grown.get(), m_block.get(), kept);
        m_block = std::move(grown);
        return m_block.get();
    }
    // The parts of a large file are read on the workers at once.
    void ReadParts(int count, const std::function<void(int)>& read) override {
        ParallelFor(count, 1, [&](int64_t begin, int64_t end, int) {
            for (int64_t part = begin; part < end; ++part) read(int(part));
        });
    }
    const char* Data() const { return reinterpret_cast<const char*>(m_block.get()); }

private:
    BlockArray<uint8_t> m_block;
};

Result<Raster> Refused(files::ReadProblem problem, const std::error_code& error) {
    switch (problem) {
        case files::ReadProblem::Missing: return Result<Raster>::Failure("the file does not exist");
        case files::ReadProblem::NotAFile: return Result<Raster>::Failure("not a file");
        case files::ReadProblem::TooLarge: return Result<Raster>::Failure("the file is too large");
        default: return Result<Raster>::Failure("the file cannot be read: " + error.message());
    }
}

void FinishAll(Raster& raster, PixelPass finish) {
    uint8_t* const data = raster.Data();
    const int64_t pixels = int64_t(raster.ByteSize() / kBytesPerPixel);
    ParallelFor(pixels, int64_t(1) << 16, [data, finish](int64_t begin, int64_t end, int) {
        finish(data + begin * kBytesPerPixel, size_t(end - begin) * kBytesPerPixel);
    });
}

}  // namespace

Result<Raster> ReadPictureFile(const std::string& path, PixelPass finish) {
    const files::OpenedFile file = files::OpenForReading(path, kMaxPictureFileBytes);
    if (!file) return Refused(file.problem, file.error);
    // An uncompressed TGA file is read straight into the raster.
    char head[kTgaHeadBytes];
    iovec headPiece{head, sizeof head};
    const int64_t headBytes = files::ReadPiecesAt(file, 0, &headPiece, 1);
    if (headBytes > 0) {
        const std::string_view headView(head, size_t(headBytes));
        if (DecoderFor(headView, path) == "TGA") {
            if (std::optional<Result<Raster>> direct = ReadPlainTgaFile(file, headView, finish)) {
                return std::move(*direct);
            }
        }
    }
    BlockBuffer buffer;
    const files::FileRead read = files::ReadWholeFileInto(file, kMaxPictureFileBytes, buffer);
    if (!read) return Refused(read.problem, read.error);
    const std::string_view bytes(buffer.Data(), read.size);
    Result<Raster> picture = DecodePicture(bytes, DecoderFor(bytes, path));
    if (picture && finish != nullptr) FinishAll(picture.Value(), finish);
    return picture;
}

Result<std::string> EncodePicture(const PictureToEncode& picture, const std::string& format) {
    const std::string coder = PictureFormatForExtension("." + format);
    if (coder.empty()) {
        return Result<std::string>::Failure(
            "pictures are written as " + std::string(kPictureFormatNames) + ", not as " + format);
    }
    Result<Magick::Image> made =
        ImageFromPixels(picture.pixels, picture.width, picture.height,
                        picture.order == PixelOrder::Rgba ? "RGBA" : "BGRA", picture.rows);
    if (!made) return Result<std::string>::FailureOf(std::move(made));
    Magick::Image& image = made.Value();
    // Warnings are only reported by the library; errors end the write.
    image.quiet(true);
    Magick::Blob blob;
    try {
        // The rows now start at the top, and the file says so: the TGA writer
        // labels its origin from the orientation.
        image.orientation(MagickCore::TopLeftOrientation);
        image.magick(coder);
        if (!picture.withAlpha) image.matte(false);
        // Colour even when every pixel is grey, as a black and white mask is.
        image.type(picture.withAlpha ? Magick::TrueColorMatteType : Magick::TrueColorType);
        image.write(&blob);
    } catch (const Magick::Warning&) {
        // A warning still gives the file.
    } catch (const Magick::Exception& e) {
        return Result<std::string>::Failure(e.what());
    }
    if (blob.length() == 0) return Result<std::string>::Failure("the picture cannot be encoded");
    return std::string(static_cast<const char*>(blob.data()), blob.length());
}

Result<> WritePictureFile(const std::string& path, RasterView pixels, const std::string& format,
                          PixelOrder order) {
    const Result<std::string> encoded =
        EncodePicture({pixels.pixels, pixels.width, pixels.height, order}, format);
    if (!encoded) return Result<>::Failure("cannot write " + path + ": " + encoded.Error());
    if (const std::error_code error = files::ReplaceFile(path, encoded.Value())) {
        return Result<>::Failure(files::WriteErrorText(path, error));
    }
    return {};
}

}  // namespace engine
