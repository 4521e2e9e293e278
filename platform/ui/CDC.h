#pragma once
// Drawing contexts on a window, with pens, brushes and paths. A dialog draws on
// its client area: in a paint request (CPaintDC) or at any moment (CClientDC),
// which shows at once.

#include <QPainter>
#include <QPainterPath>
#include <memory>

#include "platform/ui/WinUser.h"

class CWnd;

class CPen {
public:
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    QPen m_pen;
};

class CBrush {
public:
    explicit CBrush(COLORREF crColor);
    QBrush m_brush;
};

class CDC {
public:
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Return the object selected before.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);

    BOOL BeginPath();
    BOOL EndPath();
    // Outside a path, LineTo draws at once with the selected pen.
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    // Fills the path with the brush and outlines it with the pen.
    BOOL StrokeAndFillPath();

    bool IsDrawing() const { return m_painter != nullptr; }

protected:
    // Draws on the window's surface; nothing when it has none.
    explicit CDC(CWnd* pWnd);

    CWnd* m_pWnd;
    std::unique_ptr<QPainter> m_painter;

private:
    CPen* m_pPen;
    CBrush* m_pBrush;
    QPainterPath m_path;
    bool m_bInPath = false;
    POINT m_current;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd) : CDC(pWnd) {}
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd) : CDC(pWnd) {}
    // Shows what was drawn.
    ~CClientDC() override;
};
