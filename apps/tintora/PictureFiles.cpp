#include "apps/tintora/PictureFiles.h"

#include <Magick++.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/MagickSupport.h"

namespace {

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string SizeError(int64_t width, int64_t height) {
    return "picture too large: " + std::to_string(width) + "x" + std::to_string(height) +
           " (at most " + std::to_string(kMaxPictureSide) + " pixels a side and " +
           std::to_string(kMaxPicturePixels / (1024 * 1024)) + " megapixels)";
}

bool SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

std::optional<Picture> ReadRaw(const std::string& path, RawSize size, std::string& error) {
    if (!SizeAllowed(size.width, size.height)) {
        error = SizeError(size.width, size.height);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    Picture picture{size.width, size.height, {}};
    const size_t expected = size_t(size.width) * size_t(size.height) * 4;
    in.seekg(0, std::ios::end);
    const auto length = static_cast<int64_t>(in.tellg());
    if (length != static_cast<int64_t>(expected)) {
        error = path + ": " + std::to_string(length) + " bytes, but " + std::to_string(size.width) +
                "x" + std::to_string(size.height) + " needs " + std::to_string(expected);
        return std::nullopt;
    }
    in.seekg(0);
    picture.bgra.resize(expected);
    in.read(reinterpret_cast<char*>(picture.bgra.data()), std::streamsize(expected));
    if (!in) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    return picture;
}

// Replaces path with the bytes, through a temporary file beside it.
std::string WriteFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string temporary = path + ".tintora-partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot write " + path;
        out.write(static_cast<const char*>(data), std::streamsize(size));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return "cannot write " + path;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return "cannot write " + path + ": " + ec.message();
    }
    return {};
}

}  // namespace

bool IsRawPath(const std::string& path) { return EndsWith(path, ".bgra"); }

std::optional<Picture> ReadPicture(const std::string& path, std::optional<RawSize> rawSize,
                                   std::string& error) {
    if (IsRawPath(path)) {
        if (!rawSize) {
            error = "a raw input needs --input-size WxH";
            return std::nullopt;
        }
        return ReadRaw(path, *rawSize, error);
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "no such file: " + path;
        return std::nullopt;
    }
    engine::EnsureMagickInitialized();
    try {
        Magick::Image image;
        image.quiet(true);
        // Look at the header before decoding anything.
        image.ping(path);
        const int64_t width = int64_t(image.columns());
        const int64_t height = int64_t(image.rows());
        if (!SizeAllowed(width, height)) {
            error = SizeError(width, height);
            return std::nullopt;
        }
        image.read(path);
        engine::MakeUpright(image);
        image.flip();  // bottom row first, as the host keeps pictures
        Picture picture{int32_t(image.columns()), int32_t(image.rows()), {}};
        picture.bgra.resize(size_t(picture.width) * size_t(picture.height) * 4);
        image.write(0, 0, image.columns(), image.rows(), "BGRA", Magick::CharPixel,
                    picture.bgra.data());
        return picture;
    } catch (const Magick::Exception& e) {
        error = path + ": " + e.what();
        return std::nullopt;
    }
}

std::string WritePicture(const std::string& path, const Picture& picture) {
    if (IsRawPath(path)) return WriteFileAtomically(path, picture.bgra.data(), picture.bgra.size());
    engine::EnsureMagickInitialized();
    try {
        Magick::Image image;
        image.quiet(true);
        image.read(size_t(picture.width), size_t(picture.height), "BGRA", Magick::CharPixel,
                   picture.bgra.data());
        // The file's first row is the top; say so, since the TGA writer labels
        // the origin from the orientation.
        image.flip();
        image.orientation(MagickCore::TopLeftOrientation);
        const std::string extension = std::filesystem::path(path).extension().string();
        if (extension.size() < 2) return "cannot tell the file format of " + path;
        image.magick(extension.substr(1));
        image.matte(true);
        Magick::Blob blob;
        image.write(&blob);
        return WriteFileAtomically(path, blob.data(), blob.length());
    } catch (const Magick::Exception& e) {
        return path + ": " + e.what();
    }
}
