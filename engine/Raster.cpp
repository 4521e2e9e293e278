#include "engine/Raster.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <new>

namespace engine {

namespace {
std::atomic<size_t> g_allocationLimit{std::numeric_limits<size_t>::max()};
std::atomic<size_t> g_allocationsBeforeFailure{std::numeric_limits<size_t>::max()};
std::atomic<size_t> g_allocationsAsked{0};
// The value of g_allocationsAsked that fails; 0 for none.
std::atomic<size_t> g_failingAllocation{0};

// Counts one allocation against the countdown; false when it is to fail.
bool TakeAllocation() {
    const size_t asked = ++g_allocationsAsked;
    if (asked == g_failingAllocation.load()) return false;
    size_t left = g_allocationsBeforeFailure.load();
    while (left != std::numeric_limits<size_t>::max()) {
        if (left == 0) return false;
        if (g_allocationsBeforeFailure.compare_exchange_weak(left, left - 1)) return true;
    }
    return true;
}
}  // namespace

std::optional<size_t> RasterByteSize(int64_t width, int64_t height) {
    if (width < 0 || height < 0) return std::nullopt;
    constexpr uint64_t kMax = uint64_t(std::numeric_limits<std::ptrdiff_t>::max());
    const auto w = uint64_t(width);
    const auto h = uint64_t(height);
    if (w != 0 && h > kMax / kBytesPerPixel / w) return std::nullopt;
    return size_t(w * h * kBytesPerPixel);
}

RasterBytes AllocateRasterBytes(int64_t width, int64_t height) {
    constexpr int64_t kMaxSide = std::numeric_limits<int32_t>::max();
    if (width > kMaxSide || height > kMaxSide) return nullptr;
    const auto bytes = RasterByteSize(width, height);
    if (!bytes || !AllowAllocation(*bytes)) return nullptr;
    // An empty raster is still a valid block.
    return RasterBytes(static_cast<uint8_t*>(TakeBlock(*bytes)));
}

bool AllowAllocation(size_t bytes) { return bytes <= g_allocationLimit.load() && TakeAllocation(); }

size_t SetAllocationLimit(size_t bytes) { return g_allocationLimit.exchange(bytes); }

size_t SetAllocationsBeforeFailure(size_t count) {
    return g_allocationsBeforeFailure.exchange(count);
}

void FailNthAllocation(size_t n) { g_failingAllocation = n == 0 ? 0 : g_allocationsAsked + n; }

size_t AllocationsAsked() { return g_allocationsAsked; }

Raster Raster::Allocate(int64_t width, int64_t height) {
    Raster raster;
    raster.m_data = AllocateRasterBytes(width, height);
    if (raster.m_data) {
        raster.m_width = int32_t(width);
        raster.m_height = int32_t(height);
    }
    return raster;
}

Raster Raster::AllocateZeroed(int64_t width, int64_t height) {
    Raster raster = Allocate(width, height);
    if (raster) std::memset(raster.Data(), 0, raster.ByteSize());
    return raster;
}

Raster Raster::CopyOf(RasterView view) {
    Raster raster = Allocate(view.width, view.height);
    if (raster && view.ByteSize() > 0) std::memcpy(raster.Data(), view.pixels, view.ByteSize());
    return raster;
}

RasterBytes Raster::TakeBytes() {
    m_width = m_height = 0;
    return std::move(m_data);
}

}  // namespace engine
