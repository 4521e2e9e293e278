#pragma once
// Working memory of one thread for the lines of one blur: kept between uses
// and grown only when a longer line or a larger size needs more.

#include <cstdint>

#include "engine/KeptBlocks.h"

namespace engine {

class LineScratch {
public:
    uint32_t* Words() const { return m_memory.get(); }
    // The longest line and the size the memory was last reserved for.
    int64_t MaxLength() const { return m_maxLength; }
    int32_t Size() const { return m_size; }

protected:
    // At least `words` words for lines up to maxLength at the given size;
    // false when the memory cannot be had.
    bool Reserve(int64_t words, int64_t maxLength, int32_t size) {
        if (words > m_capacity) {
            m_memory.reset(static_cast<uint32_t*>(TakeBlock(size_t(words) * sizeof(uint32_t))));
            m_capacity = m_memory ? words : 0;
            if (!m_memory) return false;
        }
        m_maxLength = maxLength;
        m_size = size;
        return true;
    }

private:
    BlockArray<uint32_t> m_memory;
    int64_t m_capacity = 0;
    int64_t m_maxLength = 0;
    int32_t m_size = 0;
};

}  // namespace engine
