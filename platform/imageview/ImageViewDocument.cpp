#include "platform/imageview/ImageViewDocument.h"

#include <algorithm>
#include <cmath>

namespace imageview {

void ImageViewDocument::ShowPicture(ViewPicture picture) {
    EndDrawing();
    m_picture = std::move(picture);
    if (m_picture.IsEmpty()) m_picture = ViewPicture{};
    m_selection = m_selection.Resized(m_picture.width, m_picture.height);
    ++m_pictureVersion;
    SelectionChanged();
}

void ImageViewDocument::ReplaceSelection(const SelectionMask& selection) {
    m_selection = selection.Resized(m_picture.width, m_picture.height);
    SelectionChanged();
}

void ImageViewDocument::ClearSelection() {
    m_selection.Clear();
    SelectionChanged();
}

void ImageViewDocument::InvertSelection() {
    m_selection.Invert();
    SelectionChanged();
}

void ImageViewDocument::MoveSelection(int32_t dx, int32_t dy) {
    m_selection.Move(dx, dy);
    SelectionChanged();
}

void ImageViewDocument::FillSelection(uint8_t red, uint8_t green, uint8_t blue) {
    imageview::FillSelection(m_picture, m_selection, red, green, blue);
    ++m_pictureVersion;
}

void ImageViewDocument::WandSelectAt(int32_t x, int32_t y, int32_t mode) {
    if (x < 0 || y < 0 || x >= m_picture.width || y >= m_picture.height) return;
    SelectionMask region = WandRegion(m_picture, x, y, m_tolerance);
    if (mode != 0) {
        m_selection.Add(region);
    } else {
        m_selection = std::move(region);
    }
    SelectionChanged();
}

void ImageViewDocument::SetWandTolerance(int tolerance) {
    m_tolerance = std::clamp(tolerance, kMinWandTolerance, kMaxWandTolerance);
}

void ImageViewDocument::SetInteraction(Interaction interaction) {
    EndDrawing();
    m_interaction = interaction;
}

GridPoint ImageViewDocument::Corner(double x, double y) const {
    auto nearest = [](double value, int32_t limit) {
        if (!(value > 0)) return 0;  // also for NaN
        if (value >= limit) return limit;
        return int32_t(std::floor(value + 0.5));
    };
    return {nearest(x, m_picture.width), nearest(y, m_picture.height)};
}

void ImageViewDocument::Press(double x, double y) {
    if (!HasPicture()) return;
    const GridPoint corner = Corner(x, y);
    m_pointer = corner;
    switch (m_interaction) {
        case Interaction::Rectangle:
            m_dragging = true;
            m_anchor = corner;
            ClearSelection();
            break;
        case Interaction::Polygon:
            // The first corner starts a new outline; the old selection goes.
            if (m_outline.empty()) ClearSelection();
            if (m_outline.empty() || m_outline.back() != corner) m_outline.push_back(corner);
            break;
        case Interaction::MagicWand:
            WandSelectAt(int32_t(std::floor(x)), int32_t(std::floor(y)), 0);
            break;
        case Interaction::None: break;
    }
}

void ImageViewDocument::Drag(double x, double y) {
    if (!HasPicture()) return;
    m_pointer = Corner(x, y);
    if (m_interaction == Interaction::Rectangle && m_dragging) {
        m_selection.SelectRectangle(m_anchor.x, m_anchor.y, m_pointer.x, m_pointer.y);
        SelectionChanged();
    }
}

void ImageViewDocument::Hover(double x, double y) {
    if (HasPicture()) m_pointer = Corner(x, y);
}

void ImageViewDocument::Release(double x, double y) {
    Drag(x, y);
    m_dragging = false;
}

void ImageViewDocument::DoubleClick(double x, double y) {
    if (!HasPicture()) return;
    if (m_interaction != Interaction::Polygon) {
        // A double click is a second press for the other interactions.
        Press(x, y);
        return;
    }
    const GridPoint corner = Corner(x, y);
    if (m_outline.empty() || m_outline.back() != corner) m_outline.push_back(corner);
    m_selection = FillPolygon(m_picture.width, m_picture.height, m_outline);
    m_outline.clear();
    SelectionChanged();
}

void ImageViewDocument::EndDrawing() {
    m_dragging = false;
    m_outline.clear();
}

}  // namespace imageview
