#include "platform/ui/CDC.h"

#include <gtest/gtest.h>

#include <QDialog>

#include "tests/support/DialogDriver.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using ui_test::Painted;

class SquareDialog : public probe::ProbeDialog {
public:
    SquareDialog() {
        MapMessage(WM_PAINT, [this] {
            ++paints;
            CPaintDC dc(this);
            Square(dc, RGB(10, 20, 30));
        });
    }
    static void Square(CDC& dc, COLORREF fill) {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CBrush brush(fill);
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(&brush);
        dc.BeginPath();
        dc.MoveTo(200, 40);
        dc.LineTo(200, 90);
        dc.LineTo(250, 90);
        dc.LineTo(250, 40);
        dc.LineTo(200, 40);
        dc.EndPath();
        dc.StrokeAndFillPath();
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
    int paints = 0;
};

TEST(Drawing, PaintRequestsAndClientContextsDrawOnTheDialogsClientArea) {
    SquareDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ui_test::Repaint(dialog);
    EXPECT_GE(dialog.paints, 1);
    EXPECT_EQ(Painted(dialog, 225, 65), QColor(10, 20, 30));
    EXPECT_EQ(Painted(dialog, 200, 65), QColor(0, 0, 0));
    EXPECT_EQ(Painted(dialog, 250, 40), QColor(0, 0, 0));
    EXPECT_EQ(Painted(dialog, 225, 90), QColor(0, 0, 0));
    EXPECT_NE(Painted(dialog, 199, 65), QColor(10, 20, 30));
    EXPECT_NE(Painted(dialog, 251, 65), QColor(10, 20, 30));
    // A client context draws at once; the next paint request paints anew.
    {
        CClientDC dc(&dialog);
        SquareDialog::Square(dc, RGB(255, 0, 0));
    }
    EXPECT_EQ(Painted(dialog, 225, 65), QColor(255, 0, 0));
    const QImage shown = dialog.Window()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(225, 65), QColor(10, 20, 30));
}

TEST(Drawing, AControlHasNoSurfaceToDrawOn) {
    SquareDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CClientDC dc(dialog.GetDlgItem(probe::kPush));
    EXPECT_FALSE(dc.IsDrawing());
    EXPECT_TRUE(dc.BeginPath());
    dc.LineTo(1, 1);
    EXPECT_TRUE(dc.EndPath());
    EXPECT_TRUE(dc.StrokeAndFillPath());
}

}  // namespace
