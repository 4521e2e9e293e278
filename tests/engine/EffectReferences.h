#pragma once
// Plain reference versions of the layer operations and effects, written as
// literally as possible from their step-by-step definitions: one pixel at a
// time, no shortcuts. The engine is tested against these on random pictures.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace ref {

// W x H pixels, B, G, R, A, bottom row first.
struct Pic {
    int w = 0;
    int h = 0;
    std::vector<uint8_t> px;

    Pic() = default;
    Pic(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0) {}
    Pic(int width, int height, std::vector<uint8_t> bytes)
        : w(width), h(height), px(std::move(bytes)) {}
    uint8_t* at(long x, long y) { return &px[(size_t(y) * w + x) * 4]; }
    const uint8_t* at(long x, long y) const { return &px[(size_t(y) * w + x) * 4]; }
};

// Intermediates stored in single precision, products and sums formed in double.
inline void BlendPixelOver(const uint8_t* s, uint8_t* d) {
    float as = s[3] / 255.0, ad = d[3] / 255.0;
    float n[4];
    for (int k = 0; k < 3; ++k) {
        float sc = s[k] / 255.0, dc = d[k] / 255.0;
        n[k] = (double)sc * as + (double)dc * (1.0 - as);
    }
    n[3] = (double)as * as + (double)ad * (1.0 - as);
    for (int k = 0; k < 4; ++k) {
        if (n[k] > 1) n[k] = 1;
        d[k] = (uint8_t)(int)(n[k] * 255.0);
    }
}

// What PlaceRaster and StampRaster (stamp true or false) do to each pixel pair.
enum class Lay { Place, Stamp, Blend };

inline void LayRaster(Pic& dst, const Pic& src, long x, long y, Lay how) {
    if (src.w > dst.w || src.h > dst.h || src.h < 1) return;
    for (long r = 0; r < src.h; ++r) {
        for (long c = 0; c < src.w; ++c) {
            long index = (y + r) * dst.w + x + c;
            if (index < 0 || index > (long)dst.w * dst.h - 1) continue;
            const uint8_t* s = src.at(c, r);
            uint8_t* d = &dst.px[index * 4];
            if (how == Lay::Place) {
                for (int k = 0; k < 4; ++k) d[k] = s[k];
            } else if (how == Lay::Stamp) {
                for (int k = 0; k < 3; ++k) d[k] = s[k];
                int a = d[3] + s[3];
                d[3] = a > 255 ? 255 : a;
            } else if (s[3] != 0) {
                BlendPixelOver(s, d);
            }
        }
    }
}

inline void PlaceRaster(Pic& dst, const Pic& src, long x, long y) {
    LayRaster(dst, src, x, y, Lay::Place);
}
inline void StampRaster(Pic& dst, const Pic& src, long x, long y, bool stamp) {
    LayRaster(dst, src, x, y, stamp ? Lay::Stamp : Lay::Blend);
}

inline std::vector<double> Kernel(int s) {
    double c = s < 5 ? 0.1 : s < 10 ? 0.2 : s < 15 ? 0.4 : 0.49;
    std::vector<double> w(2 * s + 1);
    double v = 0.1, S = 0, sum = 0;
    for (int i = 0; i < s; ++i, v = v + 0.1) w[i] = v;
    for (int i = 0; i < s; ++i) S = S + w[i];
    for (int i = 0; i < s; ++i) w[2 * s - i] = w[i] = w[i] * (c * (1 / S));
    for (int i = 0; i < s; ++i) sum = sum + 2 * w[i];
    w[s] = 1 - sum;
    return w;
}

// One pass; dx, dy = 1, 0 along rows, 0, 1 along columns.
inline void BlurPass(Pic& img, int size, int dx, int dy, bool keepOpaque) {
    std::vector<double> w = Kernel(size);
    Pic work(img.w, img.h);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            int asum = 0, n = 0, sum[3] = {0, 0, 0};
            for (int i = 0; i <= 2 * size; ++i) {
                int tx = x + dx * (i - size), ty = y + dy * (i - size);
                if (tx < 0 || tx >= img.w || ty < 0 || ty >= img.h) continue;
                const uint8_t* p = img.at(tx, ty);
                asum += (int)(p[3] * w[i] + 0.5);
                if (p[3] == 0) continue;
                for (int k = 0; k < 3; ++k) sum[k] += p[k];
                n++;
            }
            int A = asum > 255 ? 255 : asum;
            uint8_t* o = work.at(x, y);
            if (keepOpaque && A == 255) {
                for (int k = 0; k < 4; ++k) o[k] = img.at(x, y)[k];
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                int mean = n == 0 ? 0 : (int)(sum[k] / (float)n);
                o[k] = mean > 255 ? 255 : mean;
            }
            o[3] = A;
        }
    }
    img.px = work.px;
}

inline Pic AntiFlicker(const Pic& src, int sx, int sy, bool keepOpaque) {
    Pic dst(src.w + 2 * sx + 8, src.h + 2 * sy + 8);
    PlaceRaster(dst, src, sx + 2, sy + 2);
    if (2 * sx + 1 > 1) BlurPass(dst, sx, 1, 0, keepOpaque);
    if (2 * sy + 1 > 1) BlurPass(dst, sy, 0, 1, keepOpaque);
    return dst;
}

inline float OpacityF(int opacity) { return opacity / 100.0 * 255; }

inline Pic Border(const Pic& src, int s, int b, int opacity, uint8_t red, uint8_t green,
                  uint8_t blue) {
    Pic L(src.w + 2 * s, src.h + 2 * s);
    Pic S(src.w, src.h);
    for (size_t i = 0; i < S.px.size(); i += 4) {
        uint8_t* p = &S.px[i];
        p[0] = blue, p[1] = green, p[2] = red, p[3] = src.px[i + 3];
    }
    for (int i = -s; i <= s - 1; ++i) {
        int d = (int)(std::sqrt((double)s * s - i * i) + 0.5);
        StampRaster(L, S, i + s, s + d, true);
        StampRaster(L, S, i + s, s - d, true);
    }
    for (int i = -s; i <= s - 1; ++i) {
        int d = (int)(std::sqrt((double)s * s - i * i) + 0.5);
        StampRaster(L, S, s + d, i + s, true);
        StampRaster(L, S, s - d, i + s, true);
    }
    if (opacity != 100) {
        float f = OpacityF(opacity);
        for (size_t i = 3; i < L.px.size(); i += 4) L.px[i] = (int)(L.px[i] / 255.0 * f);
    }
    if (b > 0) L = AntiFlicker(L, b, b, false);
    Pic out = L;
    int p = b > 0 ? s + b + 2 : s;
    StampRaster(out, src, p, p, false);
    return out;
}

inline Pic OffsetShadow(const Pic& src, int dx, int dy, int b, int opacity, uint8_t red,
                        uint8_t green, uint8_t blue) {
    Pic S = src;
    float f = OpacityF(opacity);
    for (size_t i = 0; i < S.px.size(); i += 4) {
        uint8_t* p = &S.px[i];
        if (p[3] == 0) continue;
        p[0] = blue, p[1] = green, p[2] = red, p[3] = (int)(p[3] / 255.0 * f);
    }
    if (b > 0) S = AntiFlicker(S, b, b, false);
    Pic out(std::abs(dx) + S.w, std::abs(dy) + S.h);
    PlaceRaster(out, S, std::max(dx, 0), std::max(-dy, 0));
    StampRaster(out, src, std::max(-dx, 0) + b, std::max(dy, 0) + b, false);
    return out;
}

// Clears the frame of src in place, as the effect does.
inline Pic EmbossBevel(Pic& src, int azimuth, int elevation, int depth, int s) {
    int W = src.w, H = src.h;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (x == 0 || x == 1 || x == W - 2 || x == W - 1 || y == 0 || y == 1 || y == H - 2 ||
                y == H - 1)
                for (int k = 0; k < 4; ++k) src.at(x, y)[k] = 0;
    int Wc = W + s, Hc = H + s;
    Pic out(Wc, Hc);
    Pic T(Wc, Hc);
    PlaceRaster(T, src, s / 2, s / 2);
    std::vector<uint8_t> A(size_t(Wc) * Hc);
    for (int r = 0; r < Hc; ++r)
        for (int c = 0; c < Wc; ++c) A[size_t(r) * Wc + c] = T.at(c, r)[3];
    auto a = [&](int r, int c) { return (int)A[size_t(r) * Wc + c]; };
    double az = azimuth * 0.0174532925, el = elevation * 0.0174532925;
    int Lx = (int)(std::cos(az) * std::cos(el) * 255.9);
    int Ly = (int)(std::sin(az) * std::cos(el) * 255.9);
    int Lz = (int)(std::sin(el) * 255.9);
    int k = s == 0 ? 1 : s;
    int Nz = ((2 * k + 1) * 255) / depth;
    for (int y = 1; y <= Hc - 2; ++y) {
        for (int x = 1; x <= Wc - 2; ++x) {
            int Nx = 0, Ny = 0;
            for (int j = -k; j <= k; ++j) {
                if (y + j < 1 || y + j > Hc - 3) continue;
                if (x - k >= 1) Nx += a(y - 1 + j, x - k);
                if (x + k <= Wc - 3) Nx -= a(y - 1 + j, x + k);
            }
            for (int c = x - k; c <= x + k; ++c) {
                bool ok = c <= x ? c >= 1 : c <= Wc - 3;
                if (!ok) continue;
                if (y - k >= 1) Ny += a(y - 1 - k, c);
                if (y + k <= Hc - 3) Ny -= a(y - 1 + k, c);
            }
            int shade = Lz;
            if (Nx != 0 || Ny != 0) {
                long NdotL = (long)Nx * Lx + (long)Ny * Ly + (long)Nz * Lz;
                long N2 = (long)Nx * Nx + (long)Ny * Ny + (long)Nz * Nz;
                shade = NdotL < 0 ? 0 : (int)(NdotL / std::sqrt((double)N2));
            }
            for (int ch = 0; ch < 3; ++ch) out.at(x, y)[ch] = (T.at(x, y)[ch] * shade) >> 8;
            out.at(x, y)[3] = T.at(x, y)[3];
        }
    }
    for (int y = 0; y < Hc; ++y)
        for (int x = 0; x < Wc; ++x)
            if (x == 0 || x == Wc - 1 || y == 0 || y == Hc - 1)
                for (int ch = 0; ch < 4; ++ch) out.at(x, y)[ch] = 0;
    return out;
}

// For every pixel, every pixel of its window: columns x - r .. x + r - 1 and
// rows y - r .. y + r - 1, inside the picture.
inline Pic Focus(const Pic& src, int r) {
    Pic out(src.w, src.h);
    for (int y = 0; y < src.h; ++y) {
        for (int x = 0; x < src.w; ++x) {
            long sum[3] = {0, 0, 0}, count = 0;
            for (int wy = y - r; wy <= y + r - 1; ++wy) {
                for (int wx = x - r; wx <= x + r - 1; ++wx) {
                    if (wx < 0 || wy < 0 || wx >= src.w || wy >= src.h) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += src.at(wx, wy)[c];
                    ++count;
                }
            }
            for (int c = 0; c < 3; ++c) out.at(x, y)[c] = uint8_t(sum[c] / count);
            out.at(x, y)[3] = src.at(x, y)[3];
        }
    }
    return out;
}

// Converts src in place, as the effect does.
inline Pic Grayscale(Pic& src) {
    for (size_t i = 0; i < src.px.size(); i += 4) {
        int Y = (int)(0.3 * src.px[i + 2] + 0.59 * src.px[i + 1] + 0.11 * src.px[i] + 0.5);
        src.px[i] = src.px[i + 1] = src.px[i + 2] = Y;
    }
    return src;
}

// M: B, G, R, fourth byte.
inline Pic Matte(const Pic& src, const Pic& M, int ox, int oy, bool inverse, bool useAlpha,
                 bool crop, int blurX, int blurY) {
    int W = src.w, H = src.h;
    Pic out(W, H);
    int minX = 99999, minY = 99999, maxX = 0, maxY = 0;
    for (int y = 0; y < std::min(M.h, H); ++y) {
        for (int x = 0; x < std::min(M.w, W); ++x) {
            int sx = x + ox, sy = y + oy;
            if (sx >= W || sy >= H) continue;
            const uint8_t* p = src.at(sx, sy);
            uint8_t* o = out.at(x, y);
            int v = 0;
            if (sx < M.w && sy < M.h) {
                const uint8_t* q = M.at(sx, sy);
                if (q[2] != 0) {
                    minX = std::min(minX, x), minY = std::min(minY, y);
                    maxX = std::max(maxX, x), maxY = std::max(maxY, y);
                }
                v = useAlpha ? q[3] : (int)(0.59 * q[1] + 0.3 * q[2] + 0.11 * q[0] + 0.5);
                if (v > 255) v = 255;
            }
            if (crop && (p[3] == 0 || v == 0)) {
                o[3] = 0;
            } else {
                int alpha = inverse ? 255 - v : v;
                if (crop && alpha == 255) {
                    alpha = p[3];
                } else if (crop) {
                    float product = alpha / 255.0 * p[3];
                    if (product > 255) product = 255;
                    alpha = (int)product;
                }
                o[3] = alpha;
            }
            for (int k = 0; k < 3; ++k) o[k] = o[3] != 0 ? p[k] : 0;
        }
    }
    if (crop && maxX > minX && maxY > minY) {
        Pic cut(maxX - minX + 1, maxY - minY + 1);
        for (int y = minY; y <= maxY; ++y)
            for (int x = minX; x <= maxX; ++x)
                for (int k = 0; k < 4; ++k) cut.at(x - minX, y - minY)[k] = out.at(x, y)[k];
        out = cut;
    }
    if (blurX != 0 || blurY != 0) out = AntiFlicker(out, blurX, blurY, true);
    return out;
}

}  // namespace ref
