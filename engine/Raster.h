#pragma once
// Working rasters: width x height pixels of 4 bytes (blue, green, red, alpha),
// straight alpha, rows packed, the picture's bottom row first.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <type_traits>

#include "engine/KeptBlocks.h"

namespace engine {

constexpr int kBytesPerPixel = 4;
enum Channel : int { kBlue = 0, kGreen = 1, kRed = 2, kAlpha = 3 };

// Byte size of a width x height raster, or nothing when a side is negative or the
// size does not fit the address space.
std::optional<size_t> RasterByteSize(int64_t width, int64_t height);

// Raster memory, a block that goes back to the kept blocks when freed.
using RasterBytes = BlockArray<uint8_t>;

// Allocates raster memory, or returns null: for a side below 0 or beyond 32
// bits, a size beyond the address space or the allocation limit, or when the
// system has no memory for it.
RasterBytes AllocateRasterBytes(int64_t width, int64_t height);

// Whether an allocation of that many bytes may go ahead: within the limit, the
// countdown and the failing allocation below, which it counts against.
bool AllowAllocation(size_t bytes);

// Whether scratch memory for `count` elements of T may be allocated.
template <class T>
bool ScratchAllowed(size_t count) {
    return count <= SIZE_MAX / sizeof(T) && AllowAllocation(count * sizeof(T));
}

// Scratch memory for `count` elements left unset, under the same limit and
// countdown as rasters, so that tests reach every allocation's failure path;
// null when it cannot be had. For memory every element of which is written
// before it is read.
template <class T>
BlockArray<T> AllocateUnsetScratch(size_t count) {
    static_assert(std::is_trivially_default_constructible_v<T> &&
                  std::is_trivially_destructible_v<T>);
    if (!ScratchAllowed<T>(count)) return nullptr;
    return BlockArray<T>(static_cast<T*>(TakeBlock(count * sizeof(T))));
}

// As AllocateUnsetScratch, every element zero.
template <class T>
BlockArray<T> AllocateScratch(size_t count) {
    BlockArray<T> scratch = AllocateUnsetScratch<T>(count);
    if (scratch) std::memset(scratch.get(), 0, count * sizeof(T));
    return scratch;
}

// Caps every raster allocation (bytes); tests use it to provoke allocation
// failures. SIZE_MAX means no cap. Returns the previous cap.
size_t SetAllocationLimit(size_t bytes);

// Lets the next `count` raster allocations succeed and fails every one after
// them; SIZE_MAX (the default) never fails. Effects allocate several rasters of
// the same size, which a byte cap cannot tell apart, so tests use this to reach
// a later allocation's failure path. Returns the previous setting.
size_t SetAllocationsBeforeFailure(size_t count);

// Fails only the n-th raster or scratch allocation from now (1: the next one)
// and lets every other one go ahead, so that tests can fail each allocation of
// an effect in turn and see the effect go on after it; 0 fails none.
void FailNthAllocation(size_t n);
// How many raster and scratch allocations have been asked for so far.
size_t AllocationsAsked();

struct RasterView {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;

    size_t ByteSize() const { return size_t(width) * size_t(height) * kBytesPerPixel; }
    const uint8_t* Pixel(int32_t x, int32_t y) const {
        return pixels + (size_t(y) * size_t(width) + size_t(x)) * kBytesPerPixel;
    }
};

struct MutableRasterView {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;

    size_t ByteSize() const { return size_t(width) * size_t(height) * kBytesPerPixel; }
    uint8_t* Pixel(int32_t x, int32_t y) const {
        return pixels + (size_t(y) * size_t(width) + size_t(x)) * kBytesPerPixel;
    }
    operator RasterView() const { return {pixels, width, height}; }
};

// Something done in place to `bytes` bytes of whole pixels: a change every
// pixel of a picture gets as it is read.
using PixelPass = void (*)(uint8_t* pixels, size_t bytes);

// An owned raster. Empty after a failed allocation.
class Raster {
public:
    Raster() = default;
    // Contents undefined; empty on failure (AllocateRasterBytes).
    static Raster Allocate(int64_t width, int64_t height);
    // All bytes zero (transparent black); empty on failure.
    static Raster AllocateZeroed(int64_t width, int64_t height);
    // A copy of the view; empty on failure.
    static Raster CopyOf(RasterView view);

    explicit operator bool() const { return m_data != nullptr; }
    uint8_t* Data() { return m_data.get(); }
    const uint8_t* Data() const { return m_data.get(); }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    size_t ByteSize() const { return size_t(m_width) * size_t(m_height) * kBytesPerPixel; }
    RasterView View() const { return {m_data.get(), m_width, m_height}; }
    MutableRasterView MutableView() { return {m_data.get(), m_width, m_height}; }

    // Hands the memory to the caller; the raster is empty afterwards.
    RasterBytes TakeBytes();

private:
    RasterBytes m_data;
    int32_t m_width = 0;
    int32_t m_height = 0;
};

}  // namespace engine
