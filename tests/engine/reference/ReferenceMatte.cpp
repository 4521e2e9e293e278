#include "tests/engine/reference/ReferenceEffects.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace reference {

namespace {

// The selection's bounding box starts inverted, as wide as any picture can be.
struct Box {
    int64_t minX = 99999;
    int64_t minY = 99999;
    int64_t maxX = 0;
    int64_t maxY = 0;

    void Include(int64_t x, int64_t y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
};

uint8_t CroppedAlpha(int alpha, uint8_t pictureAlpha) {
    if (alpha == 255) return pictureAlpha;
    // The product is kept in single precision.
    const float product = float(double(alpha) / 255.0 * double(pictureAlpha));
    return uint8_t(int(std::min(product, 255.0f)));
}

}  // namespace

uint8_t MatteValue(const uint8_t* q, bool useAlpha) {
    const int value =
        useAlpha ? q[kAlpha] : int(0.59 * q[kGreen] + 0.3 * q[kRed] + 0.11 * q[kBlue] + 0.5);
    return uint8_t(std::min(value, 255));
}

Result<Raster> Matte(RasterView picture, RasterView matte, const MatteParams& params) {
    const int64_t w = picture.width;
    const int64_t h = picture.height;
    Raster output = Raster::AllocateZeroed(picture.width, picture.height);
    if (!output) return Result<Raster>::OutOfMemory();

    Box box;
    const int64_t rows = std::min<int64_t>(matte.height, h);
    const int64_t columns = std::min<int64_t>(matte.width, w);
    for (int64_t y = 0; y < rows; ++y) {
        for (int64_t x = 0; x < columns; ++x) {
            const int64_t sx = x + params.offsetX;
            const int64_t sy = y + params.offsetY;
            // Offsets below 0 (never given by the dialogs) read nothing either.
            if (sx >= w || sy >= h || sx < 0 || sy < 0) continue;
            const uint8_t* p = picture.Pixel(int32_t(sx), int32_t(sy));
            uint8_t* o = output.MutableView().Pixel(int32_t(x), int32_t(y));

            int v = 0;
            if (sx < matte.width && sy < matte.height) {
                const uint8_t* q = matte.Pixel(int32_t(sx), int32_t(sy));
                if (q[kRed] != 0) box.Include(x, y);
                v = MatteValue(q, params.useAlpha);
            }
            if (params.crop && (p[kAlpha] == 0 || v == 0)) {
                o[kAlpha] = 0;
            } else {
                const int alpha = params.inverse ? 255 - v : v;
                o[kAlpha] = params.crop ? CroppedAlpha(alpha, p[kAlpha]) : uint8_t(alpha);
            }
            if (o[kAlpha] != 0) {
                o[kBlue] = p[kBlue];
                o[kGreen] = p[kGreen];
                o[kRed] = p[kRed];
            }
        }
    }

    // A box of one column or one row, or none, leaves the output uncut.
    if (params.crop && box.maxX > box.minX && box.maxY > box.minY) {
        const int64_t cutWidth = box.maxX - box.minX + 1;
        const int64_t cutHeight = box.maxY - box.minY + 1;
        Raster cut = Raster::Allocate(int32_t(cutWidth), int32_t(cutHeight));
        if (!cut) return Result<Raster>::OutOfMemory();
        for (int64_t y = 0; y < cutHeight; ++y) {
            std::memcpy(cut.MutableView().Pixel(0, int32_t(y)),
                        output.View().Pixel(int32_t(box.minX), int32_t(box.minY + y)),
                        size_t(cutWidth) * kBytesPerPixel);
        }
        output = std::move(cut);
    }

    if (params.blurX != 0 || params.blurY != 0) {
        return reference::AntiFlicker(output.View(), params.blurX, params.blurY, true);
    }
    return output;
}

}  // namespace reference
