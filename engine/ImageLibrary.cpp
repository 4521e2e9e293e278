#include "engine/ImageLibrary.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <utility>

namespace engine {

namespace {

constexpr uint64_t kMaxSide = 16000;
constexpr uint64_t kMaxArea = 128000000;
constexpr uint64_t kMemoryBytes = 256ULL << 20;
// Four channels of the library's 16-bit samples.
constexpr uint64_t kLibraryBytesPerPixel = 4 * sizeof(MagickCore::Quantum);

// Every coder is refused but these: the still-picture formats, and the raw
// pixels the effects hand to the library and take back. The last matching
// rule wins, so these come after the system's own.
constexpr const char* kPolicy = R"(<policymap>
  <policy domain="coder" rights="none" pattern="*"/>
  <policy domain="coder" rights="read|write" pattern="{PNG,JPEG,GIF,TIFF,BMP,TGA,RGBA}"/>
  <policy domain="delegate" rights="none" pattern="*"/>
  <policy domain="path" rights="none" pattern="@*"/>
</policymap>)";

const std::pair<const char*, const char*> kExtensions[] = {
    {".png", "PNG"},   {".tga", "TGA"},  {".bmp", "BMP"},   {".jpg", "JPEG"},
    {".jpeg", "JPEG"}, {".tif", "TIFF"}, {".tiff", "TIFF"}, {".gif", "GIF"},
};

}  // namespace

void SetUpImageLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        MagickCore::ExceptionInfo* exception = MagickCore::AcquireExceptionInfo();
        MagickCore::SetMagickSecurityPolicy(kPolicy, exception);
        MagickCore::DestroyExceptionInfo(exception);
        // The library only lowers a limit below its system policy, never raises one.
        Magick::ResourceLimits::width(kMaxSide);
        Magick::ResourceLimits::height(kMaxSide);
        Magick::ResourceLimits::area(kMaxArea);
        Magick::ResourceLimits::memory(kMemoryBytes);
        Magick::ResourceLimits::disk(0);
    });
}

PictureLimits CurrentPictureLimits() {
    SetUpImageLibrary();
    const uint64_t side =
        std::min(Magick::ResourceLimits::width(), Magick::ResourceLimits::height());
    const uint64_t pixels = std::min<uint64_t>(
        Magick::ResourceLimits::area(), Magick::ResourceLimits::memory() / kLibraryBytesPerPixel);
    return {int64_t(std::min<uint64_t>(side, INT32_MAX)),
            int64_t(std::min<uint64_t>(pixels, INT64_MAX))};
}

bool PictureSizeAllowed(int64_t width, int64_t height) {
    const PictureLimits limits = CurrentPictureLimits();
    return width > 0 && height > 0 && width <= limits.maxSide && height <= limits.maxSide &&
           width * height <= limits.maxPixels;
}

std::string PictureLimitsText() {
    const PictureLimits limits = CurrentPictureLimits();
    return "at most " + std::to_string(limits.maxSide) + " pixels a side and " +
           std::to_string(limits.maxPixels) + " pixels";
}

std::string PictureTooLarge(int64_t width, int64_t height) {
    return "the picture is too large: " + std::to_string(width) + "x" + std::to_string(height) +
           " (" + PictureLimitsText() + ")";
}

std::string PictureFormatForExtension(const std::string& extension) {
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const auto& [ending, format] : kExtensions) {
        if (lower == ending) return format;
    }
    return {};
}

}  // namespace engine
