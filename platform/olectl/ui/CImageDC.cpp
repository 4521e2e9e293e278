#include "platform/olectl/ui/CImageDC.h"

#include <QPainter>

namespace {

// Stock objects live as long as the program.
CBrush* StockBrush(int index) {
    static CBrush white(RGB(255, 255, 255));
    static CBrush lightGray(RGB(192, 192, 192));
    static CBrush gray(RGB(128, 128, 128));
    static CBrush darkGray(RGB(64, 64, 64));
    static CBrush black(RGB(0, 0, 0));
    static CBrush null = [] {
        CBrush brush(RGB(0, 0, 0));
        brush.m_brush = QBrush(Qt::NoBrush);
        return brush;
    }();
    switch (index) {
        case WHITE_BRUSH: return &white;
        case LTGRAY_BRUSH: return &lightGray;
        case GRAY_BRUSH: return &gray;
        case DKGRAY_BRUSH: return &darkGray;
        case BLACK_BRUSH: return &black;
        case NULL_BRUSH: return &null;
        default: return nullptr;
    }
}

CPen* StockPen(int index) {
    static CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    static CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    static CPen null = [] {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        pen.m_pen = QPen(Qt::NoPen);
        return pen;
    }();
    switch (index) {
        case WHITE_PEN: return &white;
        case BLACK_PEN: return &black;
        case NULL_PEN: return &null;
        default: return nullptr;
    }
}

}  // namespace

CImageDC::CImageDC(QImage& image)
    : ImageSurface(image),
      CDC(static_cast<ImageSurface*>(this)),
      m_pPen(StockPen(BLACK_PEN)),
      m_pBrush(StockBrush(WHITE_BRUSH)) {
    CDC::SelectObject(m_pPen);
    CDC::SelectObject(m_pBrush);
}

CImageDC::~CImageDC() = default;

CPen* CImageDC::SelectObject(CPen* pen) {
    CPen* previous = m_pPen;
    m_pPen = pen;
    CDC::SelectObject(pen);
    return previous;
}

CBrush* CImageDC::SelectObject(CBrush* brush) {
    CBrush* previous = m_pBrush;
    m_pBrush = brush;
    CDC::SelectObject(brush);
    return previous;
}

CBrush* CImageDC::GetStockBrush(int index) { return StockBrush(index); }

CPen* CImageDC::GetStockPen(int index) { return StockPen(index); }

void CImageDC::FillRect(const RECT& rect, CBrush* brush) {
    if (!m_painter || !brush || rect.right <= rect.left || rect.bottom <= rect.top) return;
    m_painter->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                        brush->m_brush);
}

BOOL CImageDC::Ellipse(const RECT& rect) {
    if (!m_painter) return FALSE;
    // The platform's ellipse fits the rectangle less its right and bottom edges;
    // a one-pixel pen then covers the outermost pixels inside it.
    const QRectF box(rect.left + 0.5, rect.top + 0.5, rect.right - rect.left - 1,
                     rect.bottom - rect.top - 1);
    QPainterPath path;
    path.addEllipse(box);
    m_painter->fillPath(path, m_pBrush ? m_pBrush->m_brush : QBrush(Qt::NoBrush));
    m_painter->strokePath(path, m_pPen ? m_pPen->m_pen : QPen(Qt::NoPen));
    return TRUE;
}
