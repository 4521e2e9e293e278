#include "engine/MagickEffect.h"

#include <Magick++.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "engine/ImageLibrary.h"
#include "engine/LibraryImage.h"
#include "engine/MagickBands.h"

namespace engine {

namespace {

// Truncation toward zero to an unsigned integer; values outside its range
// (which the dialog never gives) are held to it.
size_t TruncateToUnsigned(double value) {
    if (!(value > 0)) return 0;
    if (value >= double(std::numeric_limits<unsigned int>::max())) {
        return std::numeric_limits<unsigned int>::max();
    }
    return size_t(value);
}

void RunOperation(Magick::Image& image, const MagickEffectParams& params) {
    const double pct = params.pct;
    switch (params.operation) {
        case MagickOperation::AddNoise: image.addNoise(MagickCore::PoissonNoise); break;
        case MagickOperation::Contrast: image.contrast(TruncateToUnsigned(pct)); break;
        case MagickOperation::Implode: image.implode(pct / 100.0); break;
        case MagickOperation::Jitter: image.spread(TruncateToUnsigned(pct / 10.0)); break;
        case MagickOperation::Charcoal: image.charcoal(pct / 10.0, 0.5); break;
        case MagickOperation::ReduceNoise: image.reduceNoise(3.0); break;
        case MagickOperation::Solarize: image.solarize(pct); break;
        case MagickOperation::Sharpen: image.sharpen(pct / 10.0, 1.5); break;
        case MagickOperation::Swirl: image.swirl(pct / 10.0 * 36.0); break;
        case MagickOperation::Colorize: {
            // The library sees the picture's blue as red, so the pen colour is
            // given blue first.
            const auto opacity = unsigned(TruncateToUnsigned(pct));
            image.colorize(opacity, opacity, opacity,
                           Magick::ColorRGB(params.color.blue / 255.0, params.color.green / 255.0,
                                            params.color.red / 255.0));
            break;
        }
        case MagickOperation::Blur: image.blur(pct / 10.0, 1.5); break;
        case MagickOperation::None: break;
    }
}

}  // namespace

Result<Raster> MagickEffect(RasterView picture, const MagickEffectParams& params) {
    if (std::optional<Result<Raster>> banded = MagickEffectInBands(picture, params)) {
        return std::move(*banded);
    }
    return MagickEffectOnWholePicture(picture, params);
}

Result<Raster> MagickEffectOnWholePicture(RasterView picture, const MagickEffectParams& params) {
    SetUpImageLibrary();
    const size_t byteSize = picture.ByteSize();

    Magick::Image image;
    std::vector<std::string> notices;
    {
        // The library's pixels are a copy of their own, so the copy counts as
        // one more allocation of the picture's size.
        if (!AllowAllocation(byteSize)) return Result<Raster>::OutOfMemory();
        Result<Magick::Image> made = ImageFromPixels(picture.pixels, picture.width, picture.height,
                                                     "RGBA", RowOrder::TopFirst);
        if (made) {
            image = made.Value();
        } else {
            notices.push_back(made.Error());
        }
    }
    // Warnings are not errors: they neither stop the effect nor reach the operator.
    image.quiet(true);
    Magick::Blob blob;

    // An error in the operation or in taking the pixels back ends the effect
    // with the library's text; a warning lets it go on.
    try {
        RunOperation(image, params);
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        return Result<Raster>::Failure(e.what(), std::move(notices));
    }
    try {
        image.write(&blob, "RGBA", 8);
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        return Result<Raster>::Failure(e.what(), std::move(notices));
    }
    if (blob.length() != byteSize) {
        return Result<Raster>::Failure("The image library returned " +
                                           std::to_string(blob.length()) + " bytes instead of " +
                                           std::to_string(byteSize),
                                       std::move(notices));
    }

    Raster output = Raster::Allocate(picture.width, picture.height);
    if (!output) return Result<Raster>::Failure(kOutOfMemory, std::move(notices));
    if (byteSize > 0) std::memcpy(output.Data(), blob.data(), byteSize);
    for (size_t i = kAlpha; i < byteSize; i += kBytesPerPixel) output.Data()[i] = picture.pixels[i];
    return {std::move(output), std::move(notices)};
}

}  // namespace engine
