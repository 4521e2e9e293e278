#include "engine/TgaFile.h"

#include <sys/uio.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

#include "engine/ImageLibrary.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

constexpr size_t kHeaderBytes = 18;

// Image types: true colour and gray, each plain or run-length encoded.
constexpr uint8_t kTrueColor = 2;
constexpr uint8_t kGray = 3;
constexpr uint8_t kRleTrueColor = 10;
constexpr uint8_t kRleGray = 11;

// Descriptor bits: the number of alpha bits, the first row at the top, and
// those this decoder leaves to the library (columns right to left, interleaved
// rows).
constexpr uint8_t kAlphaBits = 0x0F;
constexpr uint8_t kTopFirst = 0x20;
constexpr uint8_t kNotTaken = 0xD0;

struct Layout {
    int32_t width = 0;
    int32_t height = 0;
    int bytesPerPixel = 0;  // 1 (gray), 3 (BGR) or 4 (BGRA)
    bool rle = false;
    bool topFirst = false;
    size_t pixelsAt = 0;  // where the pixel data starts
};

// The header's layout, if it is one of the kinds taken.
std::optional<Layout> ReadLayout(const uint8_t* b, size_t size) {
    if (size < kHeaderBytes) return std::nullopt;
    // No colour map, and no colour map described.
    for (size_t i : {1, 3, 4, 5, 6, 7}) {
        if (b[i] != 0) return std::nullopt;
    }
    const uint8_t type = b[2];
    const uint8_t bits = b[16];
    const uint8_t descriptor = b[17];
    if ((descriptor & kNotTaken) != 0) return std::nullopt;
    const int alphaBits = descriptor & kAlphaBits;
    Layout layout;
    if (type == kGray || type == kRleGray) {
        if (bits != 8 || alphaBits != 0) return std::nullopt;
    } else if (type == kTrueColor || type == kRleTrueColor) {
        if (!(bits == 24 && alphaBits == 0) && !(bits == 32 && alphaBits == 8)) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    layout.bytesPerPixel = bits / 8;
    layout.rle = type == kRleGray || type == kRleTrueColor;
    layout.topFirst = (descriptor & kTopFirst) != 0;
    layout.width = int32_t(b[12] | b[13] << 8);
    layout.height = int32_t(b[14] | b[15] << 8);
    if (!PictureSizeAllowed(layout.width, layout.height)) return std::nullopt;
    // The image identification field comes between the header and the pixels.
    layout.pixelsAt = kHeaderBytes + b[0];
    if (layout.pixelsAt > size) return std::nullopt;
    return layout;
}

// `count` file pixels of `bytesPerPixel` bytes as BGRA: gray as three equal
// channels; without alpha, opaque.
template <int kBytesPerFilePixel>
void ExpandPixels(const uint8_t* from, uint8_t* to, size_t count) {
    if constexpr (kBytesPerFilePixel == 4) {
        std::memcpy(to, from, count * 4);
    } else {
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* s = from + i * kBytesPerFilePixel;
            uint8_t* d = to + i * kBytesPerPixel;
            if constexpr (kBytesPerFilePixel == 1) {
                d[kBlue] = d[kGreen] = d[kRed] = s[0];
            } else {
                d[kBlue] = s[0];
                d[kGreen] = s[1];
                d[kRed] = s[2];
            }
            d[kAlpha] = 255;
        }
    }
}

void Expand(int bytesPerPixel, const uint8_t* from, uint8_t* to, size_t count) {
    switch (bytesPerPixel) {
        case 1: ExpandPixels<1>(from, to, count); break;
        case 3: ExpandPixels<3>(from, to, count); break;
        default: ExpandPixels<4>(from, to, count); break;
    }
}

// The raster row that file row `i` fills.
uint8_t* RowFor(Raster& raster, const Layout& layout, int32_t i) {
    const int32_t y = layout.topFirst ? layout.height - 1 - i : i;
    return raster.MutableView().Pixel(0, y);
}

// Whether the file holds every row of an uncompressed picture.
bool PlainComplete(size_t size, const Layout& layout) {
    const size_t rowBytes = size_t(layout.width) * size_t(layout.bytesPerPixel);
    return (size - layout.pixelsAt) / rowBytes >= size_t(layout.height);
}

// Rows are independent: the workers share them.
void DecodePlain(const uint8_t* b, const Layout& layout, Raster& raster) {
    const size_t rowBytes = size_t(layout.width) * size_t(layout.bytesPerPixel);
    const uint8_t* pixels = b + layout.pixelsAt;
    ParallelFor(layout.height, 32, [&](int64_t begin, int64_t end, int) {
        for (int64_t i = begin; i < end; ++i) {
            Expand(layout.bytesPerPixel, pixels + size_t(i) * rowBytes,
                   RowFor(raster, layout, int32_t(i)), size_t(layout.width));
        }
    });
}

// Packets run on from row to row; a packet that runs past the last pixel, or
// data that ends before it, is left to the library.
bool DecodeRle(const uint8_t* b, size_t size, const Layout& layout, Raster& raster) {
    const size_t step = size_t(layout.bytesPerPixel);
    size_t at = layout.pixelsAt;
    size_t left = 0;  // pixels still to come from the current packet
    bool repeated = false;
    uint8_t value[kBytesPerPixel] = {};
    for (int32_t i = 0; i < layout.height; ++i) {
        uint8_t* row = RowFor(raster, layout, i);
        size_t x = 0;
        while (x < size_t(layout.width)) {
            if (left == 0) {
                if (at >= size) return false;
                const uint8_t packet = b[at++];
                left = size_t(packet & 0x7F) + 1;
                repeated = (packet & 0x80) != 0;
                if (repeated) {
                    if (size - at < step) return false;
                    Expand(layout.bytesPerPixel, b + at, value, 1);
                    at += step;
                }
            }
            const size_t n = std::min(left, size_t(layout.width) - x);
            uint8_t* to = row + x * kBytesPerPixel;
            if (repeated) {
                for (size_t k = 0; k < n; ++k) std::memcpy(to + k * kBytesPerPixel, value, 4);
            } else {
                if ((size - at) / step < n) return false;
                Expand(layout.bytesPerPixel, b + at, to, n);
                at += n * step;
            }
            x += n;
            left -= n;
        }
    }
    return left == 0;
}

// A plain file's rows are read in pieces of about this many bytes, which stay
// in the cache until they are finished; and at most this many rows a piece,
// each its own entry of one read (the system takes up to 1024).
constexpr size_t kPieceBytes = size_t(1) << 17;
constexpr int64_t kMaxPieceRows = 512;

// File rows first .. first + rows - 1 read into their raster rows (through
// `scratch` when the file has fewer bytes a pixel), then finished; false when
// the file gave fewer bytes.
bool ReadPiece(const files::OpenedFile& file, const Layout& layout, Raster& raster, int64_t first,
               int64_t rows, uint8_t* scratch, PixelPass finish) {
    const size_t rowBytes = size_t(layout.width) * size_t(layout.bytesPerPixel);
    const size_t length = size_t(rows) * rowBytes;
    iovec pieces[kMaxPieceRows];
    int count = 0;
    if (scratch != nullptr) {
        pieces[count++] = {scratch, length};
    } else if (!layout.topFirst) {
        pieces[count++] = {RowFor(raster, layout, int32_t(first)), length};
    } else {
        for (int64_t i = first; i < first + rows; ++i) {
            pieces[count++] = {RowFor(raster, layout, int32_t(i)), rowBytes};
        }
    }
    const uint64_t offset = layout.pixelsAt + uint64_t(first) * rowBytes;
    if (files::ReadPiecesAt(file, offset, pieces, count) != int64_t(length)) return false;
    if (scratch != nullptr) {
        for (int64_t i = first; i < first + rows; ++i) {
            Expand(layout.bytesPerPixel, scratch + size_t(i - first) * rowBytes,
                   RowFor(raster, layout, int32_t(i)), size_t(layout.width));
        }
    }
    // The piece's raster rows lie together, in one order or the other.
    if (finish != nullptr) {
        const int64_t lowest = layout.topFirst ? first + rows - 1 : first;
        finish(RowFor(raster, layout, int32_t(lowest)),
               size_t(rows) * size_t(layout.width) * kBytesPerPixel);
    }
    return true;
}

}  // namespace

std::optional<Result<Raster>> ReadPlainTgaFile(const files::OpenedFile& file, std::string_view head,
                                               PixelPass finish) {
    if (head.size() < kHeaderBytes) return std::nullopt;
    // The header's fields are all in its first bytes; the sizes are the file's.
    const size_t size = size_t(file.size);
    const std::optional<Layout> layout =
        ReadLayout(reinterpret_cast<const uint8_t*>(head.data()), size);
    if (!layout || layout->rle || !PlainComplete(size, *layout)) return std::nullopt;
    Raster raster = Raster::Allocate(layout->width, layout->height);
    if (!raster) return Result<Raster>::OutOfMemory();
    const size_t rowBytes = size_t(layout->width) * size_t(layout->bytesPerPixel);
    const int64_t pieceRows =
        std::clamp<int64_t>(int64_t(kPieceBytes / rowBytes), 1, kMaxPieceRows);
    // Gray and BGR rows are read into each worker's own scratch and expanded.
    BlockArray<uint8_t> scratch[kWorkerCount];
    if (layout->bytesPerPixel != kBytesPerPixel) {
        for (BlockArray<uint8_t>& rows : scratch) {
            rows = AllocateUnsetScratch<uint8_t>(size_t(pieceRows) * rowBytes);
            if (!rows) return Result<Raster>::OutOfMemory();
        }
    }
    std::atomic<bool> whole{true};
    const int64_t pieces = (layout->height + pieceRows - 1) / pieceRows;
    ParallelFor(pieces, 1, [&](int64_t begin, int64_t end, int worker) {
        for (int64_t piece = begin; piece < end && whole.load(std::memory_order_relaxed); ++piece) {
            const int64_t first = piece * pieceRows;
            const int64_t rows = std::min(pieceRows, layout->height - first);
            if (!ReadPiece(file, *layout, raster, first, rows, scratch[worker].get(), finish)) {
                whole.store(false, std::memory_order_relaxed);
            }
        }
    });
    if (!whole.load()) return std::nullopt;
    return Result<Raster>(std::move(raster));
}

std::optional<Result<Raster>> DecodeTgaDirectly(std::string_view bytes) {
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    const std::optional<Layout> layout = ReadLayout(b, bytes.size());
    if (!layout || (!layout->rle && !PlainComplete(bytes.size(), *layout))) return std::nullopt;
    Raster raster = Raster::Allocate(layout->width, layout->height);
    if (!raster) return Result<Raster>::OutOfMemory();
    if (!layout->rle) {
        DecodePlain(b, *layout, raster);
    } else if (!DecodeRle(b, bytes.size(), *layout, raster)) {
        return std::nullopt;
    }
    return Result<Raster>(std::move(raster));
}

}  // namespace engine
