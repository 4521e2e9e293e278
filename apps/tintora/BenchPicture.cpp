#include "apps/tintora/BenchPicture.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Canvas {
    Picture& picture;

    // Rows are kept bottom row first; y counts from the top here.
    uint8_t* At(int32_t x, int32_t yFromTop) {
        return &picture.bgra[(size_t(picture.height - 1 - yFromTop) * size_t(picture.width) +
                              size_t(x)) *
                             4];
    }
    void Put(int32_t x, int32_t y, int r, int g, int b, int a) {
        uint8_t* p = At(x, y);
        p[0] = uint8_t(std::clamp(b, 0, 255));
        p[1] = uint8_t(std::clamp(g, 0, 255));
        p[2] = uint8_t(std::clamp(r, 0, 255));
        p[3] = uint8_t(std::clamp(a, 0, 255));
    }
};

// 1 inside, 0 outside, a linear fade over `soft` pixels at the edge.
double Coverage(double distanceInside, double soft) {
    return std::clamp(distanceInside / soft + 0.5, 0.0, 1.0);
}

}  // namespace

Picture MakeBenchPicture(int32_t width, int32_t height) {
    Picture picture{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4, 0)};
    Canvas canvas{picture};
    const double w = width, h = height;
    std::mt19937 rng(20240612);
    std::uniform_int_distribution<int> grain(-18, 18);

    // The banner: a rounded rectangle across the lower third, opaque, with a
    // colour gradient and grain like a photo.
    const double bx0 = w * 0.06, bx1 = w * 0.94, by0 = h * 0.70, by1 = h * 0.86;
    const double radius = h * 0.03;
    // The panel: semi-transparent above the banner's left part.
    const double px0 = w * 0.06, px1 = w * 0.45, py0 = h * 0.58, py1 = h * 0.69;
    // The logo: a disc at the top right with a soft rim.
    const double lx = w * 0.86, ly = h * 0.16, lr = h * 0.09;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const double dx = std::max({bx0 + radius - x, x - (bx1 - radius), 0.0});
            const double dy = std::max({by0 + radius - y, y - (by1 - radius), 0.0});
            const double banner = Coverage(radius - std::hypot(dx, dy), 1.5);
            if (banner > 0) {
                const double t = (x - bx0) / (bx1 - bx0);
                canvas.Put(x, y, int(20 + 60 * t) + grain(rng), int(40 + 90 * t) + grain(rng),
                           int(140 + 100 * t) + grain(rng), int(255 * banner));
                continue;
            }
            if (x >= px0 && x < px1 && y >= py0 && y < py1) {
                // Lettering: opaque strokes in a grid of glyph cells.
                const int cell = std::max(4, int(h / 40));
                const int cx = int(x - px0) % (2 * cell), cy = int(y - py0) % (3 * cell);
                const bool stroke = (cx < cell / 3 || cy < cell / 3 || cx == cell) &&
                                    cy < 2 * cell && cx < cell + 1 && x > px0 + cell &&
                                    y > py0 + cell && x < px1 - cell;
                if (stroke) {
                    canvas.Put(x, y, 250, 250, 245, 255);
                } else {
                    canvas.Put(x, y, 10, 10, 30, 170);
                }
                continue;
            }
            const double logo = Coverage(lr - std::hypot(x - lx, y - ly), 6.0);
            if (logo > 0) {
                canvas.Put(x, y, 230, int(120 + 80 * (y - ly) / lr), 20, int(255 * logo));
                continue;
            }
            // A faint glow under the logo, fading to nothing.
            const double glow = 1.0 - std::hypot(x - lx, y - ly) / (2.2 * lr);
            if (glow > 0) canvas.Put(x, y, 255, 210, 120, int(90 * glow * glow));
        }
    }
    return picture;
}

Picture MakeBenchSelection(int32_t width, int32_t height) {
    Picture mask{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4, 0)};
    Canvas canvas{mask};
    const double cx = width * 0.5, cy = height * 0.72, rx = width * 0.47, ry = height * 0.2;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            const int value = u * u + v * v <= 1.0 ? 255 : 0;
            canvas.Put(x, y, value, value, value, 255);
        }
    }
    return mask;
}

Picture MakeBenchMatte(int32_t width, int32_t height) {
    Picture matte{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4, 0)};
    Canvas canvas{matte};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int grey = int(255.0 * x / std::max(width - 1, 1));
            canvas.Put(x, y, grey, grey, grey, int(255.0 * y / std::max(height - 1, 1)));
        }
    }
    return matte;
}
