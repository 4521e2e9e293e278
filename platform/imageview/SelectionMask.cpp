#include "platform/imageview/SelectionMask.h"

#include <algorithm>

namespace imageview {

SelectionMask::SelectionMask(int32_t width, int32_t height)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_flags(size_t(m_width) * size_t(m_height), 0) {}

bool SelectionMask::Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height && m_flags[Index(x, y)] != 0;
}

void SelectionMask::Set(int32_t x, int32_t y, bool selected) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    m_flags[Index(x, y)] = selected ? 1 : 0;
    Changed();
}

std::optional<SelectionBounds> SelectionMask::Bounds() const {
    if (m_bounds) return *m_bounds;
    SelectionBounds box{m_width, m_height, 0, 0};
    bool any = false;
    for (int32_t y = 0; y < m_height; ++y) {
        const uint8_t* row = m_flags.data() + Index(0, y);
        const uint8_t* end = row + m_width;
        const uint8_t* first = std::find(row, end, uint8_t(1));
        if (first == end) continue;
        const auto last =
            std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(row), uint8_t(1));
        any = true;
        box.left = std::min(box.left, int32_t(first - row));
        box.right = std::max(box.right, int32_t(last.base() - row));
        box.top = std::min(box.top, y);
        box.bottom = y + 1;
    }
    m_bounds = any ? std::optional(box) : std::nullopt;
    return *m_bounds;
}

void SelectionMask::Clear() {
    std::fill(m_flags.begin(), m_flags.end(), uint8_t(0));
    Changed();
}

void SelectionMask::SelectRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Clear();
    const int32_t x0 = std::clamp(std::min(left, right), 0, m_width);
    const int32_t x1 = std::clamp(std::max(left, right), 0, m_width);
    const int32_t y0 = std::clamp(std::min(top, bottom), 0, m_height);
    const int32_t y1 = std::clamp(std::max(top, bottom), 0, m_height);
    for (int32_t y = y0; y < y1; ++y) {
        std::fill_n(m_flags.begin() + std::ptrdiff_t(Index(x0, y)), x1 - x0, uint8_t(1));
    }
}

void SelectionMask::Add(const SelectionMask& other) {
    if (other.m_width != m_width || other.m_height != m_height) return;
    for (size_t i = 0; i < m_flags.size(); ++i) m_flags[i] |= other.m_flags[i];
    Changed();
}

void SelectionMask::Invert() {
    for (uint8_t& flag : m_flags) flag ^= 1;
    Changed();
}

void SelectionMask::Move(int32_t dx, int32_t dy) {
    SelectionMask moved(m_width, m_height);
    for (int32_t y = 0; y < m_height; ++y) {
        const int64_t ty = int64_t(y) + dy;
        if (ty < 0 || ty >= m_height) continue;
        for (int32_t x = 0; x < m_width; ++x) {
            const int64_t tx = int64_t(x) + dx;
            if (tx >= 0 && tx < m_width && m_flags[Index(x, y)]) {
                moved.m_flags[moved.Index(int32_t(tx), int32_t(ty))] = 1;
            }
        }
    }
    *this = std::move(moved);
}

SelectionMask SelectionMask::Resized(int32_t width, int32_t height) const {
    SelectionMask resized(width, height);
    const int32_t columns = std::min(m_width, resized.m_width);
    const int32_t rows = std::min(m_height, resized.m_height);
    for (int32_t y = 0; y < rows; ++y) {
        std::copy_n(m_flags.begin() + std::ptrdiff_t(Index(0, y)), columns,
                    resized.m_flags.begin() + std::ptrdiff_t(resized.Index(0, y)));
    }
    return resized;
}

}  // namespace imageview
