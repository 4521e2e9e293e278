#include "engine/MatteFile.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/EffectResult.h"
#include "engine/MagickSupport.h"

namespace engine {

namespace {

// No accepted picture within the size limits comes near this.
constexpr uint64_t kMaxMatteFileBytes = 1ULL << 30;

// The library's Q16 channel values brought to one byte, as its own
// ScaleQuantumToChar does: (q + 128) / 257, rounding to nearest.
uint8_t QuantumToByte(MagickCore::Quantum q) { return uint8_t((uint32_t(q) + 128) / 257); }

MatteFile Refuse(std::string error) { return {Raster{}, std::move(error)}; }

bool StartsWith(const std::vector<char>& bytes, const char* signature, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

// The decoder for the file's contents, or "" when it is none of the accepted formats.
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

// Our limits, or the image library's own where its policy sets lower ones.
int64_t MaxSide() {
    const auto library =
        std::min(Magick::ResourceLimits::width(), Magick::ResourceLimits::height());
    return int64_t(std::min<uint64_t>(uint64_t(kMaxMatteSide), library));
}

int64_t MaxPixels() {
    return int64_t(std::min<uint64_t>(uint64_t(kMaxMattePixels), Magick::ResourceLimits::area()));
}

bool SizeAllowed(int64_t width, int64_t height) {
    return width <= MaxSide() && height <= MaxSide() && width * height <= MaxPixels();
}

std::string Limits() {
    return "at most " + std::to_string(MaxSide()) + " pixels a side and " +
           std::to_string(MaxPixels()) + " pixels";
}

std::string TooLarge(int64_t width, int64_t height) {
    return "The matte picture is too large: " + std::to_string(width) + "x" +
           std::to_string(height) + " (" + Limits() + ")";
}

}  // namespace

MatteFile ReadMatteFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Refuse(kMatteMissing);
    const std::string cannotRead = "Cannot read the matte file " + path;
    if (!std::filesystem::is_regular_file(path, ec)) return Refuse(cannotRead + ": not a file");
    const uint64_t fileSize = std::filesystem::file_size(path, ec);
    if (ec) return Refuse(cannotRead);
    if (fileSize > kMaxMatteFileBytes) return Refuse(cannotRead + ": the file is too large");

    std::vector<char> bytes(fileSize);
    {
        std::ifstream in(path, std::ios::binary);
        if (!in || !in.read(bytes.data(), std::streamsize(bytes.size()))) return Refuse(cannotRead);
    }
    const std::string decoder = DecoderFor(bytes, path);
    if (decoder.empty()) {
        return Refuse(cannotRead + ": not a PNG, TGA, BMP, JPEG, TIFF or GIF picture");
    }

    EnsureMagickInitialized();
    const Magick::Blob blob(bytes.data(), bytes.size());
    bytes = {};
    try {
        // The header first: format and size are checked before any pixel is decoded.
        Magick::Image header;
        header.quiet(true);
        header.magick(decoder);
        header.ping(blob);
        if (!AcceptedFormat(header.magick())) {
            return Refuse(cannotRead + ": " + header.magick() + " pictures are not accepted");
        }
        const int64_t width = int64_t(header.columns());
        const int64_t height = int64_t(header.rows());
        // The library gives no picture for a header beyond its own size limits.
        if (width == 0 || height == 0) {
            return Refuse(cannotRead + ": no picture could be read from it (" + Limits() + ")");
        }
        if (!SizeAllowed(width, height)) return Refuse(TooLarge(width, height));
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }

    Magick::Image image;
    try {
        // Warnings are thrown too, so that a damaged file is noticed.
        image.quiet(false);
        image.magick(decoder);
        image.subImage(0);
        image.subRange(1);
        image.read(blob);
    } catch (const Magick::WarningCorruptImage& e) {
        return Refuse(cannotRead + ": " + e.what());
    } catch (const Magick::Warning&) {
        // Anything else the decoder only warns about still gives the picture.
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }
    const int64_t width = int64_t(image.columns());
    const int64_t height = int64_t(image.rows());
    if (width == 0 || height == 0) return Refuse(cannotRead + ": the file holds no picture");
    if (!SizeAllowed(width, height)) return Refuse(TooLarge(width, height));

    MatteFile result;
    try {
        // Upright first (a bottom-left TGA comes back in file row order); then
        // the rows are taken bottom first, as the engine keeps pictures.
        MakeUpright(image);
        result.matte = Raster::Allocate(int32_t(width), int32_t(height));
        if (!result.matte) return Refuse(kOutOfMemory);
        const Magick::PixelPacket* pixels =
            image.getConstPixels(0, 0, size_t(width), size_t(height));
        for (int64_t row = 0; row < height; ++row) {
            const Magick::PixelPacket* q = pixels + row * width;
            uint8_t* m = result.matte.MutableView().Pixel(0, int32_t(height - 1 - row));
            for (int64_t x = 0; x < width; ++x, ++q, m += kBytesPerPixel) {
                m[kBlue] = QuantumToByte(q->blue);
                m[kGreen] = QuantumToByte(q->green);
                m[kRed] = QuantumToByte(q->red);
                m[kAlpha] = QuantumToByte(q->opacity);
            }
        }
    } catch (const Magick::Exception& e) {
        return Refuse(cannotRead + ": " + e.what());
    }
    return result;
}

}  // namespace engine
