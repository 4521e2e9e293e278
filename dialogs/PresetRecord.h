#pragma once
// One preset slot: 20 words of 32 bits, stored little-endian in this order.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kPresetEmpty = 0xFFFFFFFFu;
inline constexpr uint32_t kPresetStored = 1;
inline constexpr int kPresetSlots = 5;
inline constexpr size_t kPresetRecordBytes = 80;
// The format word and the five records.
inline constexpr size_t kPresetsFileBytes = 4 + kPresetSlots * kPresetRecordBytes;

struct PresetRecord {
    // Only kPresetEmpty marks an empty slot; any other value counts as stored.
    uint32_t dwFlag = kPresetEmpty;
    int32_t nPct = 0;
    int32_t nDir = 0;
    uint32_t nFocusSize = 0;
    uint32_t nBorderSize = 0;
    uint32_t nMotionX = 0;
    uint32_t nMotionY = 0;
    uint32_t nTransp = 0;
    uint32_t nOffsetBlur = 0;
    uint32_t nBorderBlur = 0;
    int32_t nOffsetX = 0;
    int32_t nOffsetY = 0;
    // Selected More Effects entry, -1 for none.
    int32_t nEffectIndex = 0;
    uint32_t crColor = 0;
    // Never interpreted; kept as read.
    std::array<uint32_t, 6> dwReserved{};

    bool IsEmpty() const { return dwFlag == kPresetEmpty; }

    std::array<uint32_t, 20> Words() const;
    void SetWord(int index, uint32_t value);
};
