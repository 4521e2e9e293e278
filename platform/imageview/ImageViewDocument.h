#pragma once
// What the view shows and edits, without the window: the picture, the
// selection (always of the picture's size) and the selection being drawn
// with the mouse. Mouse positions are picture coordinates in pixels, with
// fractions where the view is zoomed in; (0, 0) is the picture's top left
// corner.

#include <cstdint>
#include <vector>

#include "platform/imageview/MagicWand.h"
#include "platform/imageview/PolygonFill.h"
#include "platform/imageview/SelectionMask.h"
#include "platform/imageview/ViewPicture.h"

namespace imageview {

// What the mouse draws: a rectangle by dragging, a polygon by clicking its
// corners (a double click closes it), or the wand's region by a press.
enum class Interaction { None, Rectangle, Polygon, MagicWand };

class ImageViewDocument {
public:
    const ViewPicture& Picture() const { return m_picture; }
    bool HasPicture() const { return !m_picture.IsEmpty(); }
    const SelectionMask& Selection() const { return m_selection; }

    // Shows another picture. The selection stays where both pictures have
    // pixels; drawing in progress ends.
    void ShowPicture(ViewPicture picture);
    // Replaces the selection; one made for another picture size is cut to this one.
    void ReplaceSelection(const SelectionMask& selection);
    void ClearSelection();
    void InvertSelection();
    void MoveSelection(int32_t dx, int32_t dy);
    void FillSelection(uint8_t red, uint8_t green, uint8_t blue);
    // The wand's region around a pixel: mode 0 replaces the selection, any
    // other mode adds the region to it. Off the picture nothing happens.
    void WandSelectAt(int32_t x, int32_t y, int32_t mode);
    int WandTolerance() const { return m_tolerance; }
    // Held to 0..100.
    void SetWandTolerance(int tolerance);

    Interaction GetInteraction() const { return m_interaction; }
    // Ends drawing in progress.
    void SetInteraction(Interaction interaction);

    void Press(double x, double y);
    // A move with the button held.
    void Drag(double x, double y);
    // A move without a button.
    void Hover(double x, double y);
    void Release(double x, double y);
    void DoubleClick(double x, double y);
    // Drops a rectangle being dragged or a polygon's open corners; the
    // selection stays as it is.
    void EndDrawing();

    // The corners of the polygon being drawn, and where the next one would go.
    const std::vector<GridPoint>& OpenOutline() const { return m_outline; }
    GridPoint NextCorner() const { return m_pointer; }
    // Grow with every change of the selection and of the picture.
    uint64_t SelectionVersion() const { return m_version; }
    uint64_t PictureVersion() const { return m_pictureVersion; }

private:
    // The grid point nearest to a position, on the picture or its edge.
    GridPoint Corner(double x, double y) const;
    void SelectionChanged() { ++m_version; }

    ViewPicture m_picture;
    SelectionMask m_selection;
    int m_tolerance = kDefaultWandTolerance;
    Interaction m_interaction = Interaction::None;
    bool m_dragging = false;
    GridPoint m_anchor;
    std::vector<GridPoint> m_outline;
    GridPoint m_pointer;
    uint64_t m_version = 0;
    uint64_t m_pictureVersion = 0;
};

}  // namespace imageview
