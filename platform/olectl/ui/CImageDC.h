#pragma once
// A control device context that draws on an image with the dialog framework's
// pens and brushes: what a container, a preview or a test hands a control's
// OnDraw.

#include <QImage>

#include "platform/olectl/ControlDC.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CWnd.h"

namespace olectl_detail {
// The window whose surface the drawing context paints on: the image.
class ImageSurface : public CWnd {
public:
    explicit ImageSurface(QImage& image) : m_image(image) {}
    QImage* PaintSurface() override { return &m_image; }

private:
    QImage& m_image;
};
}  // namespace olectl_detail

class CImageDC : private olectl_detail::ImageSurface, public CDC, public CControlDC {
public:
    // A new context has the black pen and the white brush selected.
    explicit CImageDC(QImage& image);
    ~CImageDC() override;

    CPen* SelectObject(CPen* pen) override;
    CBrush* SelectObject(CBrush* brush) override;
    CBrush* GetStockBrush(int index) override;
    CPen* GetStockPen(int index) override;
    void FillRect(const RECT& rect, CBrush* brush) override;
    BOOL Ellipse(const RECT& rect) override;

private:
    CPen* m_pPen;
    CBrush* m_pBrush;
};
