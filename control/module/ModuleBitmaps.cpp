#include "control/module/ModuleBitmaps.h"

#include <algorithm>
#include <cmath>

#include "control/ModuleIds.h"

namespace {

struct Color {
    uint8_t r, g, b;
};

// Colours of the sixteen-colour palette used by the toolbox images.
constexpr Color kWhite{255, 255, 255};
constexpr Color kLightGray{192, 192, 192};
constexpr Color kDarkGray{128, 128, 128};
constexpr Color kBlack{0, 0, 0};
constexpr Color kNavy{0, 0, 128};
constexpr Color kYellow{255, 255, 0};

ModuleBitmap Blank(int32_t width, int32_t height, int bitsPerPixel, Color fill) {
    ModuleBitmap bitmap{width, height, bitsPerPixel, {}};
    bitmap.bgr.resize(size_t(width) * size_t(height) * 3);
    for (size_t i = 0; i < bitmap.bgr.size(); i += 3) {
        bitmap.bgr[i] = fill.b;
        bitmap.bgr[i + 1] = fill.g;
        bitmap.bgr[i + 2] = fill.r;
    }
    return bitmap;
}

void Put(ModuleBitmap& bitmap, int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) return;
    uint8_t* p = &bitmap.bgr[(size_t(y) * size_t(bitmap.width) + size_t(x)) * 3];
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

// An ellipse inscribed in the box: outline and fill by distance from the centre.
void Ellipse(ModuleBitmap& bitmap, int left, int top, int right, int bottom, Color outline,
             Color fill) {
    const double cx = (left + right - 1) / 2.0;
    const double cy = (top + bottom - 1) / 2.0;
    const double rx = (right - left) / 2.0;
    const double ry = (bottom - top) / 2.0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const double dx = (x - cx) / rx;
            const double dy = (y - cy) / ry;
            const double d = dx * dx + dy * dy;
            if (d <= 1.0) Put(bitmap, x, y, d > 0.62 ? outline : fill);
        }
    }
}

void Frame(ModuleBitmap& bitmap, Color c) {
    for (int x = 0; x < bitmap.width; ++x) {
        Put(bitmap, x, 0, c);
        Put(bitmap, x, bitmap.height - 1, c);
    }
    for (int y = 0; y < bitmap.height; ++y) {
        Put(bitmap, 0, y, c);
        Put(bitmap, bitmap.width - 1, y, c);
    }
}

ModuleBitmap ControlToolboxImage() {
    ModuleBitmap bitmap = Blank(16, 15, 4, kLightGray);
    Frame(bitmap, kDarkGray);
    Ellipse(bitmap, 2, 2, 14, 13, kNavy, kYellow);
    return bitmap;
}

ModuleBitmap EditorToolboxImage() {
    ModuleBitmap bitmap = Blank(16, 15, 4, kWhite);
    Frame(bitmap, kDarkGray);
    Ellipse(bitmap, 2, 2, 14, 13, kBlack, kWhite);
    return bitmap;
}

// A dusk gradient with a soft-edged disc and its drop shadow: the kind of
// picture the plug-in's effects make.
ModuleBitmap AboutPicture() {
    ModuleBitmap bitmap = Blank(100, 108, 24, kBlack);
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const double t = y / double(bitmap.height - 1);
            Color c{uint8_t(20 + 40 * t), uint8_t(30 + 110 * t), uint8_t(90 + 80 * t)};
            const double shadow = std::hypot(x - 56.0, y - 58.0) / 34.0;
            if (shadow < 1.0) {
                const double dark = 0.55 * (1.0 - shadow * shadow);
                c = {uint8_t(c.r * (1 - dark)), uint8_t(c.g * (1 - dark)),
                     uint8_t(c.b * (1 - dark))};
            }
            const double disc = std::hypot(x - 48.0, y - 50.0) / 30.0;
            if (disc < 1.0) {
                const double edge = std::clamp((1.0 - disc) * 6.0, 0.0, 1.0);
                const double light = 1.0 - 0.35 * std::hypot(x - 40.0, y - 40.0) / 42.0;
                const Color disk{uint8_t(250 * light), uint8_t(190 * light), uint8_t(60 * light)};
                c = {uint8_t(c.r + (disk.r - c.r) * edge), uint8_t(c.g + (disk.g - c.g) * edge),
                     uint8_t(c.b + (disk.b - c.b) * edge)};
            }
            Put(bitmap, x, y, c);
        }
    }
    return bitmap;
}

}  // namespace

ModuleBitmap LoadModuleBitmap(UINT id) {
    switch (id) {
        case IDB_RASTEL: return ControlToolboxImage();
        case IDB_RASTELEDITOR: return EditorToolboxImage();
        case IDB_ABOUT: return AboutPicture();
        default: return {};
    }
}
