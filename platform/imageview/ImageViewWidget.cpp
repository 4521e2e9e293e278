#include "platform/imageview/ImageViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "platform/imageview/ViewZoom.h"
#include "platform/ui/Keyboard.h"

namespace imageview {

namespace {

constexpr int kAntsInterval = 150;  // milliseconds between steps of the ants
constexpr int kDash = 4;
const QColor kBackground(128, 128, 128);

QBrush Checkerboard() {
    QImage tile(16, 16, QImage::Format_RGB32);
    tile.fill(QColor(255, 255, 255));
    QPainter painter(&tile);
    painter.fillRect(0, 0, 8, 8, QColor(204, 204, 204));
    painter.fillRect(8, 8, 8, 8, QColor(204, 204, 204));
    return QBrush(tile);
}

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton: return 1;
        case Qt::MiddleButton: return 2;
        default: return 0;
    }
}

std::string ShiftText(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool doubleClick) {
    std::string text;
    auto add = [&](bool held, const char* word) {
        if (!held) return;
        if (!text.empty()) text += ',';
        text += word;
    };
    add(modifiers & Qt::ShiftModifier, "Shift");
    add(modifiers & Qt::AltModifier, "Alt");
    add(modifiers & Qt::ControlModifier, "Ctrl");
    add(buttons & Qt::LeftButton, "Left");
    add(buttons & Qt::RightButton, "Right");
    add(buttons & Qt::MiddleButton, "Middle");
    add(doubleClick, "Double");
    return text;
}

}  // namespace

ImageViewWidget::ImageViewWidget(const ImageViewDocument& document, ImageViewInput& input,
                                 QWidget* parent)
    : QAbstractScrollArea(parent), m_document(&document), m_input(&input) {
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
}

double ImageViewWidget::FitZoom() const {
    if (!m_document) return 100;
    const QSize view = maximumViewportSize();
    const ViewPicture& picture = m_document->Picture();
    return imageview::FitZoom(picture.width, picture.height, view.width(), view.height());
}

void ImageViewWidget::SetZoom(double zoom) {
    const QPointF centre = ToPicture(QPointF(viewport()->width(), viewport()->height()) / 2);
    m_zoom = zoom;
    Layout(centre);
}

void ImageViewWidget::Detach() {
    m_input = nullptr;
    m_document = nullptr;
    if (m_antsTimer) killTimer(m_antsTimer);
    m_antsTimer = 0;
    hide();
}

void ImageViewWidget::Refresh() {
    if (!m_document) return;
    if (m_shownVersion != m_document->PictureVersion()) {
        const ViewPicture& picture = m_document->Picture();
        const QSize previousSize = m_shown.size();
        m_shown = picture.IsEmpty() ? QImage()
                                    : QImage(picture.rgba.data(), picture.width, picture.height,
                                             qsizetype(picture.width) * 4, QImage::Format_RGBA8888)
                                          .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        m_shownVersion = m_document->PictureVersion();
        // The same picture again (after a fill or a reload) keeps its place;
        // another one is shown from its middle.
        const QPointF centre = ToPicture(QPointF(viewport()->width(), viewport()->height()) / 2);
        const bool sameSize = m_shown.size() == previousSize;
        Layout(sameSize ? centre : QPointF(picture.width, picture.height) / 2);
    }
    UpdateOutline();
    const bool ants = !m_outline.empty() || !m_document->OpenOutline().empty();
    if (ants && !m_antsTimer) m_antsTimer = startTimer(kAntsInterval);
    if (!ants && m_antsTimer) {
        killTimer(m_antsTimer);
        m_antsTimer = 0;
    }
    viewport()->update();
}

QPointF ImageViewWidget::Origin() const {
    if (!m_document) return {};
    const ViewPicture& picture = m_document->Picture();
    const double width = picture.width * m_scale;
    const double height = picture.height * m_scale;
    const QSize view = viewport()->size();
    const double x =
        width < view.width() ? (view.width() - width) / 2 : -horizontalScrollBar()->value();
    const double y =
        height < view.height() ? (view.height() - height) / 2 : -verticalScrollBar()->value();
    return {std::floor(x), std::floor(y)};
}

QPointF ImageViewWidget::ToViewport(QPointF picturePoint) const {
    return Origin() + picturePoint * m_scale;
}

QPointF ImageViewWidget::ToPicture(QPointF viewportPoint) const {
    return (viewportPoint - Origin()) / m_scale;
}

void ImageViewWidget::Layout(QPointF keepAtCentre) {
    if (!m_document) return;
    m_scale = DisplayScale(m_zoom, FitZoom());
    const ViewPicture& picture = m_document->Picture();
    const int width = int(std::lround(picture.width * m_scale));
    const int height = int(std::lround(picture.height * m_scale));
    // A bar appears only where the picture is larger than the view, which
    // the other bar may make smaller.
    const QSize most = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool across = width > most.width();
    bool down = height > most.height();
    if (across && !down) down = height > most.height() - bar;
    if (down && !across) across = width > most.width() - bar;
    const QSize view(most.width() - (down ? bar : 0), most.height() - (across ? bar : 0));
    horizontalScrollBar()->setRange(0, across ? width - view.width() : 0);
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, down ? height - view.height() : 0);
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setValue(int(keepAtCentre.x() * m_scale - view.width() / 2.0));
    verticalScrollBar()->setValue(int(keepAtCentre.y() * m_scale - view.height() / 2.0));
    viewport()->update();
}

void ImageViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (!m_document) return;
    Layout(QPointF(m_document->Picture().width, m_document->Picture().height) / 2);
}

void ImageViewWidget::scrollContentsBy(int, int) { viewport()->update(); }

void ImageViewWidget::UpdateOutline() {
    if (m_outlineVersion == m_document->SelectionVersion()) return;
    m_outlineVersion = m_document->SelectionVersion();
    m_outline.clear();
    const SelectionMask& selection = m_document->Selection();
    if (selection.IsEmpty()) return;
    const int32_t width = selection.Width();
    const int32_t height = selection.Height();
    // Edges between a selected and an unselected pixel, joined into runs.
    for (int32_t y = 0; y <= height; ++y) {
        for (int32_t x = 0; x < width;) {
            auto edge = [&](int32_t at) {
                return selection.Contains(at, y - 1) != selection.Contains(at, y);
            };
            if (!edge(x)) {
                ++x;
                continue;
            }
            const int32_t first = x;
            while (x < width && edge(x)) ++x;
            m_outline.emplace_back(first, y, x, y);
        }
    }
    for (int32_t x = 0; x <= width; ++x) {
        for (int32_t y = 0; y < height;) {
            auto edge = [&](int32_t at) {
                return selection.Contains(x - 1, at) != selection.Contains(x, at);
            };
            if (!edge(y)) {
                ++y;
                continue;
            }
            const int32_t first = y;
            while (y < height && edge(y)) ++y;
            m_outline.emplace_back(x, first, x, y);
        }
    }
}

void ImageViewWidget::PaintPicture(QPainter& painter) {
    const QRectF target(Origin(), QSizeF(m_shown.width(), m_shown.height()) * m_scale);
    painter.save();
    painter.setBrushOrigin(target.topLeft());
    painter.fillRect(target, Checkerboard());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_scale < 1);
    painter.drawImage(target, m_shown);
    painter.restore();
}

// Black dashes over white, stepping along: visible on any picture.
void ImageViewWidget::PaintAnts(QPainter& painter, const std::vector<QLineF>& lines) {
    std::vector<QLineF> shown;
    shown.reserve(lines.size());
    for (const QLineF& line : lines)
        shown.emplace_back(ToViewport(line.p1()), ToViewport(line.p2()));
    QPen white(Qt::white, 1);
    white.setCosmetic(true);
    painter.setPen(white);
    painter.drawLines(shown.data(), int(shown.size()));
    QPen black(Qt::black, 1);
    black.setCosmetic(true);
    black.setDashPattern({qreal(kDash), qreal(kDash)});
    black.setDashOffset(m_antsPhase);
    painter.setPen(black);
    painter.drawLines(shown.data(), int(shown.size()));
}

void ImageViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    if (!m_document || m_shown.isNull()) return;
    PaintPicture(painter);
    PaintAnts(painter, m_outline);
    const std::vector<GridPoint>& open = m_document->OpenOutline();
    if (!open.empty()) {
        std::vector<QLineF> lines;
        for (size_t i = 0; i < open.size(); ++i) {
            const GridPoint& to = i + 1 < open.size() ? open[i + 1] : m_document->NextCorner();
            lines.emplace_back(open[i].x, open[i].y, to.x, to.y);
        }
        PaintAnts(painter, lines);
    }
}

void ImageViewWidget::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_antsTimer) return QAbstractScrollArea::timerEvent(event);
    m_antsPhase = (m_antsPhase + 1) % (2 * kDash);
    viewport()->update();
}

void ImageViewWidget::mousePressEvent(QMouseEvent* event) {
    if (!m_input) return;
    const QPointF at = ToPicture(event->position());
    m_input->ViewPressed(at.x(), at.y(), ButtonNumber(event->button()),
                         ShiftText(event->modifiers(), event->buttons(), false), false);
}

void ImageViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_input) return;
    const QPointF at = ToPicture(event->position());
    m_input->ViewPressed(at.x(), at.y(), ButtonNumber(event->button()),
                         ShiftText(event->modifiers(), event->buttons(), true), true);
}

void ImageViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_input) return;
    const QPointF at = ToPicture(event->position());
    m_input->ViewMoved(at.x(), at.y(), event->buttons() & Qt::LeftButton,
                       ShiftText(event->modifiers(), event->buttons(), false));
}

void ImageViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_input || event->button() != Qt::LeftButton) return;
    const QPointF at = ToPicture(event->position());
    m_input->ViewReleased(at.x(), at.y());
}

// Keys are the container's: the view scrolls by its bars, not by the arrows.
void ImageViewWidget::keyPressEvent(QKeyEvent* event) {
    const int key = VirtualKeyFromQt(event->key());
    if (!m_input || key == 0) return QAbstractScrollArea::keyPressEvent(event);
    m_input->ViewKeyDown(key, ShiftText(event->modifiers(), Qt::NoButton, false));
    event->accept();
}

}  // namespace imageview
