#include "engine/Raster.h"

#include <gtest/gtest.h>
#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "tests/support/AllocationGuards.h"

namespace {

TEST(RasterByteSize, ComputesWithoutThirtyTwoBitOverflow) {
    EXPECT_EQ(engine::RasterByteSize(3, 2), size_t{24});
    EXPECT_EQ(engine::RasterByteSize(0, 100), size_t{0});
    // 40000 x 40000 x 4 overflows 32 bits but is a valid size.
    EXPECT_EQ(engine::RasterByteSize(40000, 40000), size_t{6400000000});
    EXPECT_FALSE(engine::RasterByteSize(-1, 5));
    EXPECT_FALSE(engine::RasterByteSize(5, -1));
    EXPECT_FALSE(engine::RasterByteSize(std::numeric_limits<int64_t>::max(), 2));
}

TEST(RasterAllocation, FailsAboveTheLimitAndForImpossibleSizes) {
    {
        ScopedAllocationLimit limit(100);
        EXPECT_TRUE(engine::Raster::Allocate(5, 5));  // exactly 100 bytes
        EXPECT_FALSE(engine::Raster::Allocate(5, 6));
        EXPECT_TRUE(engine::AllocateScratch<uint32_t>(25));
        EXPECT_FALSE(engine::AllocateScratch<uint32_t>(26));
    }
    EXPECT_FALSE(engine::Raster::Allocate(-3, 3));
    // A side beyond 32 bits, even of an empty raster.
    EXPECT_FALSE(engine::Raster::Allocate(int64_t{1} << 31, 0));
    EXPECT_EQ(engine::AllocateRasterBytes(std::numeric_limits<int32_t>::max(),
                                          std::numeric_limits<int32_t>::max()),
              nullptr);
    EXPECT_FALSE(engine::AllocateScratch<uint64_t>(SIZE_MAX / 4));
}

TEST(RasterAllocation, ZeroedAndCopiedRastersHoldTheRightBytes) {
    engine::Raster zero = engine::Raster::AllocateZeroed(3, 2);
    ASSERT_TRUE(zero);
    EXPECT_EQ(std::vector<uint8_t>(zero.Data(), zero.Data() + zero.ByteSize()),
              std::vector<uint8_t>(24, 0));
    const uint8_t pixels[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    engine::Raster copy = engine::Raster::CopyOf({pixels, 2, 1});
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy.View().Pixel(1, 0)[engine::kAlpha], 8);
    const engine::RasterBytes taken = copy.TakeBytes();
    EXPECT_EQ(taken[7], 8);
    EXPECT_FALSE(copy);
}

TEST(KeptBlocks, ReuseFreedLargeBlocksWithinTheirCaps) {
    engine::FreeKeptBlocks();
    constexpr size_t kMegabyte = size_t(1) << 20;
    void* large = engine::TakeBlock(8 * kMegabyte);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(large) % 64, 0u);
    engine::GiveBackBlock(large);
    EXPECT_EQ(engine::KeptBytes(), 8 * kMegabyte);
    // Not for a block it cannot hold, nor for one it would hold twice over.
    engine::BlockArray<uint8_t> larger(static_cast<uint8_t*>(engine::TakeBlock(9 * kMegabyte)));
    engine::BlockArray<uint8_t> smaller(static_cast<uint8_t*>(engine::TakeBlock(3 * kMegabyte)));
    EXPECT_NE(larger.get(), large);
    EXPECT_NE(smaller.get(), large);
    EXPECT_EQ(engine::TakeBlock(5 * kMegabyte), large);
    engine::GiveBackBlock(large);
    // Small blocks are not kept; beyond the caps the oldest go.
    engine::GiveBackBlock(engine::TakeBlock(kMegabyte / 32));
    EXPECT_EQ(engine::KeptBytes(), 8 * kMegabyte);
    // At most 32 blocks, and at most 256 MB.
    auto giveBack = [](int count, size_t bytes) {
        std::vector<engine::BlockArray<uint8_t>> blocks;
        for (int i = 0; i < count; ++i) {
            blocks.emplace_back(static_cast<uint8_t*>(engine::TakeBlock(bytes)));
        }
    };
    giveBack(40, kMegabyte);
    EXPECT_EQ(engine::KeptBytes(), 32 * kMegabyte);
    giveBack(12, 30 * kMegabyte);
    EXPECT_EQ(engine::KeptBytes(), 8 * 30 * kMegabyte);
    giveBack(5, 60 * kMegabyte);
    EXPECT_EQ(engine::KeptBytes(), 4 * 60 * kMegabyte);
    engine::FreeKeptBlocks();
    EXPECT_EQ(engine::KeptBytes(), 0u);
}

#if defined(__SANITIZE_ADDRESS__)
TEST(KeptBlocks, ThePartNotAskedForAndAKeptBlockArePoisonedForTheSanitizer) {
    auto* block = static_cast<uint8_t*>(engine::TakeBlock(2 * 1000 * 1000 + 1));
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(__asan_address_is_poisoned(block + 2 * 1000 * 1000));
    EXPECT_TRUE(__asan_address_is_poisoned(block + 2 * 1000 * 1000 + 1));
    engine::GiveBackBlock(block);
    EXPECT_TRUE(__asan_address_is_poisoned(block));
    engine::FreeKeptBlocks();
}
#endif

}  // namespace
