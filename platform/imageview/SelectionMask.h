#pragma once
// A selection of the view: one flag per pixel of the picture, rows top first
// as the picture appears upright. Everything outside the picture is never
// selected.

#include <cstdint>
#include <optional>
#include <vector>

namespace imageview {

// A corner of the selection's box in picture pixels: left and top inclusive,
// right and bottom exclusive, so right - left is the width.
struct SelectionBounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const SelectionBounds&, const SelectionBounds&) = default;
};

class SelectionMask {
public:
    SelectionMask() = default;
    // An empty selection for a picture of that size (negative sides count as 0).
    SelectionMask(int32_t width, int32_t height);

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    bool Contains(int32_t x, int32_t y) const;
    void Set(int32_t x, int32_t y, bool selected);
    bool IsEmpty() const { return !Bounds().has_value(); }
    // The box around every selected pixel; nothing when none is.
    std::optional<SelectionBounds> Bounds() const;

    void Clear();
    // Replaces the selection by the pixels of the box, cut at the picture's edges.
    void SelectRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // Adds every pixel of another selection of the same size.
    void Add(const SelectionMask& other);
    void Invert();
    // Shifts by dx columns and dy rows; what leaves the picture is lost.
    void Move(int32_t dx, int32_t dy);
    // The selection for a picture of another size: kept where both pictures
    // have pixels, counted from the top left corner, and cut at the new edges.
    SelectionMask Resized(int32_t width, int32_t height) const;

    friend bool operator==(const SelectionMask& a, const SelectionMask& b) {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_flags == b.m_flags;
    }

private:
    size_t Index(int32_t x, int32_t y) const { return size_t(y) * size_t(m_width) + size_t(x); }
    void Changed() { m_bounds.reset(); }

    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<uint8_t> m_flags;
    // Worked out on demand: the box is read at every pointer move.
    mutable std::optional<std::optional<SelectionBounds>> m_bounds;
};

}  // namespace imageview
