#pragma once
// The view's window: the picture over a checkerboard, with scroll bars when
// it is larger than the view, the selection's outline as marching ants, and
// the polygon being drawn. Input goes to the view's owner in picture
// coordinates.

#include <QAbstractScrollArea>
#include <QImage>
#include <QLineF>
#include <string>
#include <vector>

#include "platform/imageview/ImageViewDocument.h"

namespace imageview {

// Positions in picture pixels, with fractions; the shift text lists what is
// held down ("Shift", "Alt", "Ctrl", "Left", "Right", "Middle", and "Double"
// for the second press of a double click), joined by commas.
class ImageViewInput {
public:
    virtual void ViewPressed(double x, double y, int button, const std::string& shift,
                             bool doubleClick) = 0;
    virtual void ViewMoved(double x, double y, bool buttonHeld, const std::string& shift) = 0;
    virtual void ViewReleased(double x, double y) = 0;
    virtual void ViewKeyDown(int virtualKey, const std::string& shift) = 0;

protected:
    ~ImageViewInput() = default;
};

class ImageViewWidget : public QAbstractScrollArea {
public:
    ImageViewWidget(const ImageViewDocument& document, ImageViewInput& input, QWidget* parent);

    // The zoom as the view's Zoom property holds it.
    void SetZoom(double zoom);
    // The zoom at which the picture fits the view as it is now.
    double FitZoom() const;
    // Screen pixels per picture pixel.
    double Scale() const { return m_scale; }
    // Takes in a change of the document: new picture, selection or outline.
    void Refresh();
    // Where a picture point is on the viewport.
    QPointF ToViewport(QPointF picturePoint) const;
    // Cuts the widget off from its owner, which is going away before it.
    void Detach();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QPointF ToPicture(QPointF viewportPoint) const;
    QPointF Origin() const;
    void Layout(QPointF keepAtCentre);
    void UpdateOutline();
    void PaintPicture(QPainter& painter);
    void PaintAnts(QPainter& painter, const std::vector<QLineF>& lines);

    const ImageViewDocument* m_document;
    ImageViewInput* m_input;
    double m_zoom = 100;
    double m_scale = 1;
    QImage m_shown;
    uint64_t m_shownVersion = ~uint64_t(0);
    // The selection's outline along pixel edges, in picture coordinates.
    std::vector<QLineF> m_outline;
    uint64_t m_outlineVersion = ~uint64_t(0);
    int m_antsPhase = 0;
    int m_antsTimer = 0;
};

}  // namespace imageview
