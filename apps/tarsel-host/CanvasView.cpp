#include "apps/tarsel-host/CanvasView.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "apps/tarsel-host/HostPictures.h"

namespace tarsel_host {

namespace {

constexpr int kFitMargin = 16;
constexpr int kCheckerSquare = 8;
// The usual broadcast safe areas: action within 90 % of the frame, titles within 80 %.
constexpr double kActionSafe = 0.9;
constexpr double kTitleSafe = 0.8;

QRectF SafeArea(QSize frame, double share) {
    const double w = frame.width() * share;
    const double h = frame.height() * share;
    return {(frame.width() - w) / 2, (frame.height() - h) / 2, w, h};
}

void PaintCheckerboard(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(204, 204, 204));
    for (int y = area.top(); y <= area.bottom(); y += kCheckerSquare) {
        const int row = (y - area.top()) / kCheckerSquare;
        for (int x = area.left() + (row % 2) * kCheckerSquare; x <= area.right();
             x += 2 * kCheckerSquare) {
            painter.fillRect(x, y, kCheckerSquare, kCheckerSquare, QColor(153, 153, 153));
        }
    }
    painter.restore();
}

}  // namespace

CanvasView::CanvasView(HostScene& scene, QWidget* parent)
    : QAbstractScrollArea(parent), m_scene(scene) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setMinimumSize(320, 200);
    UpdateScrollBars();
}

void CanvasView::SetZoom(Zoom zoom) {
    m_zoom = zoom;
    UpdateScrollBars();
    viewport()->update();
}

void CanvasView::ShowGuides(bool shown) {
    m_guides = shown;
    viewport()->update();
}

void CanvasView::SceneChanged() {
    UpdateScrollBars();
    viewport()->update();
}

double CanvasView::Scale() const {
    if (m_zoom == Zoom::Actual) return 1.0;
    const QSize frame = m_scene.FrameSize();
    const double sx = double(std::max(1, viewport()->width() - 2 * kFitMargin)) / frame.width();
    const double sy = double(std::max(1, viewport()->height() - 2 * kFitMargin)) / frame.height();
    return std::min(sx, sy);
}

QPointF CanvasView::FrameOrigin() const {
    const QSize frame = m_scene.FrameSize();
    const double scale = Scale();
    const double w = frame.width() * scale;
    const double h = frame.height() * scale;
    // A frame smaller than the view sits in its middle; a larger one scrolls,
    // at whole pixels so that 1:1 shows every pixel as it is.
    const double x = w <= viewport()->width() ? std::floor((viewport()->width() - w) / 2)
                                              : -double(horizontalScrollBar()->value());
    const double y = h <= viewport()->height() ? std::floor((viewport()->height() - h) / 2)
                                               : -double(verticalScrollBar()->value());
    return {x, y};
}

QPointF CanvasView::ViewToFrame(QPointF viewPoint) const {
    return (viewPoint - FrameOrigin()) / Scale();
}

void CanvasView::UpdateScrollBars() {
    const QSize frame = m_scene.FrameSize();
    const double scale = Scale();
    const int overX = int(std::ceil(frame.width() * scale)) - viewport()->width();
    const int overY = int(std::ceil(frame.height() * scale)) - viewport()->height();
    horizontalScrollBar()->setRange(0, std::max(0, overX));
    verticalScrollBar()->setRange(0, std::max(0, overY));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
}

void CanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(64, 64, 64));
    const double scale = Scale();
    const QPointF origin = FrameOrigin();
    const QSize frame = m_scene.FrameSize();
    const QRectF frameRect(origin, QSizeF(frame) * scale);
    PaintCheckerboard(painter, frameRect.toAlignedRect());

    painter.save();
    painter.setClipRect(frameRect);
    painter.translate(origin);
    painter.scale(scale, scale);
    if (scale != 1.0) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const auto& item : m_scene.Items()) {
        const QImage& image = item->Image();
        if (!image.isNull()) painter.drawImage(item->Position(), image);
    }
    painter.restore();

    painter.save();
    painter.translate(origin);
    if (m_guides) {
        QPen pen(QColor(255, 220, 0), 1, Qt::DashLine);
        painter.setPen(pen);
        for (double share : {kActionSafe, kTitleSafe}) {
            const QRectF area = SafeArea(frame, share);
            painter.drawRect(QRectF(area.topLeft() * scale, area.size() * scale));
        }
    }
    if (const SceneItem* selected = m_scene.Selected()) {
        const QRectF box(QPointF(selected->Position()) * scale, QSizeF(selected->Size()) * scale);
        painter.setPen(QPen(QColor(0, 160, 255), 1, Qt::DashLine));
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
    }
    painter.restore();
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CanvasView::scrollContentsBy(int, int) { viewport()->update(); }

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF frame = ViewToFrame(event->position());
    const QPoint point(int(std::floor(frame.x())), int(std::floor(frame.y())));
    SceneItem* item = m_scene.ItemAt(point);
    m_scene.Select(item);
    m_dragged = item;
    if (item) m_grabOffset = point - item->Position();
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF frame = ViewToFrame(event->position());
    const QPoint point(int(std::floor(frame.x())), int(std::floor(frame.y())));
    if (m_dragged && (event->buttons() & Qt::LeftButton)) {
        m_scene.Move(*m_dragged, point - m_grabOffset);
    }
    if (onPointerMoved) onPointerMoved(point);
}

void CanvasView::mouseReleaseEvent(QMouseEvent*) { m_dragged = nullptr; }

void CanvasView::leaveEvent(QEvent*) {
    if (onPointerMoved) onPointerMoved(std::nullopt);
}

QStringList CanvasView::DroppedPictures(const QMimeData* data) const {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && IsReadablePicture(url.toLocalFile().toStdString())) {
            paths << url.toLocalFile();
        }
    }
    return paths;
}

void CanvasView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedPictures(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CanvasView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedPictures(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CanvasView::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedPictures(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    // Events of the viewport arrive here in its own coordinates.
    const QPointF frame = ViewToFrame(event->position());
    if (onFilesDropped) onFilesDropped(paths, frame.toPoint());
}

}  // namespace tarsel_host
