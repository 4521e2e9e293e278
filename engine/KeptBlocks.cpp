#include "engine/KeptBlocks.h"

#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace engine {

namespace {

// Each block starts with a header that records its capacity; the caller's
// bytes follow it, so they keep the block's alignment.
constexpr size_t kAlignment = 64;
constexpr size_t kHeader = kAlignment;

// Smaller blocks come from the heap cheaply; from this size on the C library
// maps fresh memory for them (or gives its heap's top back), and the page
// faults cost more than the effects' own work per byte. The blur's per-thread
// line buffers are of this kind.
constexpr size_t kSmallestKept = size_t(64) << 10;
// The rasters and line buffers of a few effects in a row.
constexpr size_t kMostKeptBlocks = 32;
constexpr size_t kMostKeptBytes = size_t(256) << 20;

struct Kept {
    uint8_t* base;
    size_t capacity;
};

struct Store {
    std::mutex mutex;
    std::vector<Kept> blocks;  // the longest kept first
    size_t bytes = 0;
};

// Never destroyed, so that rasters freed during the process's exit still
// find it.
Store& TheStore() {
    static Store* const store = new Store;
    return *store;
}

size_t& CapacityOf(uint8_t* base) { return *reinterpret_cast<size_t*>(base); }

void Free(uint8_t* base) {
    ASAN_UNPOISON_MEMORY_REGION(base + kHeader, CapacityOf(base));
    std::free(base);
}

// Takes the smallest kept block that holds `bytes` without wasting more than
// as much again; null for none.
uint8_t* TakeKept(size_t bytes) {
    Store& store = TheStore();
    const std::lock_guard<std::mutex> lock(store.mutex);
    auto best = store.blocks.end();
    for (auto kept = store.blocks.begin(); kept != store.blocks.end(); ++kept) {
        if (kept->capacity < bytes || kept->capacity / 2 > bytes) continue;
        if (best == store.blocks.end() || kept->capacity < best->capacity) best = kept;
    }
    if (best == store.blocks.end()) return nullptr;
    uint8_t* const base = best->base;
    store.bytes -= best->capacity;
    store.blocks.erase(best);
    return base;
}

}  // namespace

void* TakeBlock(size_t bytes) {
    if (bytes > SIZE_MAX - 2 * kAlignment) return nullptr;
    const size_t capacity = (bytes + kAlignment - 1) / kAlignment * kAlignment;
    uint8_t* base = capacity >= kSmallestKept ? TakeKept(capacity) : nullptr;
    if (base == nullptr) {
        base = static_cast<uint8_t*>(std::aligned_alloc(kAlignment, kHeader + capacity));
        if (base == nullptr) return nullptr;
        CapacityOf(base) = capacity;
    }
    // Under the address sanitizer, a kept block is poisoned while it waits,
    // and only the bytes asked for are usable: reading a freed raster or past
    // the end of one is still reported.
    ASAN_POISON_MEMORY_REGION(base + kHeader, capacity);
    ASAN_UNPOISON_MEMORY_REGION(base + kHeader, bytes);
    return base + kHeader;
}

void GiveBackBlock(void* block) {
    if (block == nullptr) return;
    uint8_t* const base = static_cast<uint8_t*>(block) - kHeader;
    const size_t capacity = CapacityOf(base);
    ASAN_UNPOISON_MEMORY_REGION(block, capacity);
    if (capacity < kSmallestKept || capacity > kMostKeptBytes) {
        std::free(base);
        return;
    }
    ASAN_POISON_MEMORY_REGION(block, capacity);
    std::vector<uint8_t*> freed;
    {
        Store& store = TheStore();
        const std::lock_guard<std::mutex> lock(store.mutex);
        store.blocks.push_back({base, capacity});
        store.bytes += capacity;
        while (store.blocks.size() > kMostKeptBlocks || store.bytes > kMostKeptBytes) {
            freed.push_back(store.blocks.front().base);
            store.bytes -= store.blocks.front().capacity;
            store.blocks.erase(store.blocks.begin());
        }
    }
    for (uint8_t* old : freed) Free(old);
}

void FreeKeptBlocks() {
    std::vector<Kept> blocks;
    {
        Store& store = TheStore();
        const std::lock_guard<std::mutex> lock(store.mutex);
        blocks.swap(store.blocks);
        store.bytes = 0;
    }
    for (const Kept& kept : blocks) Free(kept.base);
}

size_t KeptBytes() {
    Store& store = TheStore();
    const std::lock_guard<std::mutex> lock(store.mutex);
    return store.bytes;
}

}  // namespace engine
