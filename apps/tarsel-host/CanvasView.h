#pragma once
// The canvas: the scene's frame over a checkerboard that shows transparency,
// the objects in their places, safe-title guides, zoom to fit or 1:1. A click
// selects the object under the pointer and a drag moves it; image files
// dropped on the canvas are added where they fall.

#include <QAbstractScrollArea>
#include <QPointF>
#include <QStringList>
#include <functional>
#include <optional>

#include "apps/tarsel-host/HostScene.h"

class QMimeData;

namespace tarsel_host {

class CanvasView : public QAbstractScrollArea {
public:
    enum class Zoom { Fit, Actual };

    explicit CanvasView(HostScene& scene, QWidget* parent = nullptr);

    Zoom ZoomMode() const { return m_zoom; }
    void SetZoom(Zoom zoom);
    bool GuidesShown() const { return m_guides; }
    void ShowGuides(bool shown);
    // Call after the scene changed.
    void SceneChanged();

    // Frame pixels per view pixel, and where the frame's top-left sits in the view.
    double Scale() const;
    QPointF FrameOrigin() const;
    QPointF ViewToFrame(QPointF viewPoint) const;

    // The pointer's frame position while it is over the canvas.
    std::function<void(std::optional<QPoint>)> onPointerMoved;
    // Picture files dropped at a frame point.
    std::function<void(const QStringList&, QPoint)> onFilesDropped;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    QStringList DroppedPictures(const QMimeData* data) const;

    HostScene& m_scene;
    Zoom m_zoom = Zoom::Fit;
    bool m_guides = true;
    SceneItem* m_dragged = nullptr;
    QPoint m_grabOffset;
};

}  // namespace tarsel_host
