#pragma once
// Memory for rasters and scratch, kept for the next effect when it is freed.
// Fresh memory from the system costs a page fault and the zeroing of every
// page on first touch: at full HD about as much as an effect's own work. A
// block kept from the last effect is mapped already. Small blocks go straight
// back to the heap; the large ones kept are capped in number and bytes.

#include <cstddef>
#include <memory>

namespace engine {

// A block of at least `bytes` bytes aligned to 64, contents undefined; null
// when the system has no memory for it.
void* TakeBlock(size_t bytes);

// Gives back a block from TakeBlock, to be kept or freed; null is ignored.
void GiveBackBlock(void* block);

// Frees every kept block.
void FreeKeptBlocks();

// The bytes held in kept blocks.
size_t KeptBytes();

struct GiveBackDeleter {
    void operator()(void* block) const { GiveBackBlock(block); }
};

// An owned array in a block from TakeBlock.
template <class T>
using BlockArray = std::unique_ptr<T[], GiveBackDeleter>;

}  // namespace engine
