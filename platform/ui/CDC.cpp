#include "platform/ui/CDC.h"

#include <QImage>

#include "platform/ui/CWnd.h"

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// A new context starts with a black pen and a white brush.
CPen g_blackPen(PS_SOLID, 1, RGB(0, 0, 0));
CBrush g_whiteBrush(RGB(255, 255, 255));

}  // namespace

CPen::CPen(int, int nWidth, COLORREF crColor) : m_pen(ToQColor(crColor)) {
    m_pen.setWidth(nWidth);
    m_pen.setCapStyle(Qt::SquareCap);
    m_pen.setJoinStyle(Qt::MiterJoin);
}

CBrush::CBrush(COLORREF crColor) : m_brush(ToQColor(crColor)) {}

CDC::CDC(CWnd* pWnd) : m_pWnd(pWnd), m_pPen(&g_blackPen), m_pBrush(&g_whiteBrush) {
    QImage* surface = pWnd ? pWnd->PaintSurface() : nullptr;
    if (surface && !surface->isNull()) {
        m_painter = std::make_unique<QPainter>(surface);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
    }
}

CDC::~CDC() = default;

CPen* CDC::SelectObject(CPen* pPen) {
    CPen* previous = m_pPen;
    m_pPen = pPen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    CBrush* previous = m_pBrush;
    m_pBrush = pBrush;
    return previous;
}

BOOL CDC::BeginPath() {
    m_path = QPainterPath();
    m_bInPath = true;
    return TRUE;
}

BOOL CDC::EndPath() {
    if (!m_bInPath) return FALSE;
    m_bInPath = false;
    return TRUE;
}

POINT CDC::MoveTo(int x, int y) {
    const POINT previous = m_current;
    m_current = {x, y};
    if (m_bInPath) m_path.moveTo(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y) {
    if (m_bInPath) {
        if (m_path.elementCount() == 0) m_path.moveTo(m_current.x, m_current.y);
        m_path.lineTo(x, y);
    } else if (m_painter) {
        m_painter->setPen(m_pPen->m_pen);
        m_painter->drawLine(m_current.x, m_current.y, x, y);
    }
    m_current = {x, y};
    return TRUE;
}

BOOL CDC::StrokeAndFillPath() {
    if (m_bInPath || m_path.isEmpty()) return FALSE;
    if (m_painter) {
        QPainterPath closed = m_path;
        closed.closeSubpath();
        m_painter->fillPath(closed, m_pBrush->m_brush);
        m_painter->strokePath(closed, m_pPen->m_pen);
    }
    m_path = QPainterPath();
    return TRUE;
}

CClientDC::~CClientDC() {
    m_painter.reset();
    if (m_pWnd) m_pWnd->Invalidate(FALSE);
}
