// The module's drawing and about box on the offscreen platform, worked by
// script. The tools dialog, the property pages and the about box with the
// module file's version are worked through the module file (EndToEndToolRunTest).

#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "control/CRastelCtrl.h"
#include "control/module/AboutLabels.h"
#include "control/module/CAboutBox.h"
#include "control/module/CRastelEditor.h"
#include "platform/automation/ComPtr.h"
#include "platform/olectl/ui/CImageDC.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalScript.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage RedCanvas() {
    QImage image(60, 40, QImage::Format_ARGB32);
    image.fill(kRed);
    return image;
}

void ExpectWhiteBoxWithEllipse(const QImage& image, const RECT& box) {
    // Outside the bounds nothing changes.
    EXPECT_EQ(image.pixel(box.left - 1, box.top), kRed);
    EXPECT_EQ(image.pixel(box.right, box.bottom - 1), kRed);
    // The corners of the bounds are the white fill, the ellipse's centre its white brush.
    EXPECT_EQ(image.pixel(box.left, box.top), kWhite);
    EXPECT_EQ(image.pixel(box.right - 1, box.bottom - 1), kWhite);
    EXPECT_EQ(image.pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2), kWhite);
    // The black pen touches the middle of each side.
    const int midY = (box.top + box.bottom - 1) / 2;
    const int midX = (box.left + box.right - 1) / 2;
    EXPECT_EQ(image.pixel(box.left, midY), kBlack);
    EXPECT_EQ(image.pixel(box.right - 1, midY), kBlack);
    EXPECT_EQ(image.pixel(midX, box.top), kBlack);
    EXPECT_EQ(image.pixel(midX, box.bottom - 1), kBlack);
}

}  // namespace

TEST(ControlDrawingTest, BothControlsDrawAWhiteBoxWithAnEllipseInTheCurrentPenAndBrush) {
    const RECT bounds{10, 5, 50, 35};
    for (const auto& held : {ComPtr<COleControl>::Adopt(new CRastelCtrl()),
                             ComPtr<COleControl>::Adopt(new CRastelEditor())}) {
        COleControl* control = held.Get();
        SCOPED_TRACE(GuidToString(control->PrimaryIID()));
        QImage image = RedCanvas();
        {
            CImageDC dc(image);
            control->DrawContent(&dc, bounds);
        }
        ExpectWhiteBoxWithEllipse(image, bounds);

        // With another brush selected the ellipse takes it; the box stays white.
        QImage gray = RedCanvas();
        {
            CImageDC dc(gray);
            dc.SelectObject(dc.GetStockBrush(GRAY_BRUSH));
            dc.SelectObject(dc.GetStockPen(WHITE_PEN));
            control->DrawContent(&dc, bounds);
        }
        EXPECT_EQ(gray.pixel(30, 20), 0xFF808080);
        EXPECT_EQ(gray.pixel(10, 5), kWhite);
        EXPECT_EQ(gray.pixel(10, 19), kWhite);
    }
}

// This test program carries no version information, so the box shows the fallbacks.
TEST(AboutBoxTest, ShowsTheFallbacksAndClosesWithEscapeEnterOrItsCloseBox) {
    ModalScript script;
    script
        .Then([](CDialog& dialog) {
            EXPECT_EQ(ui_test::Text(dialog, 313), "Tintora v7.2");
            EXPECT_EQ(ui_test::Text(dialog, 314), kFallbackCopyright);
            EXPECT_EQ(dialog.Window()->windowTitle().toStdString(), "About Tintora");
            ui_test::PressKey(dialog, Qt::Key_Escape);
        })
        .Then([](CDialog& dialog) { ui_test::PressKey(dialog, Qt::Key_Return); })
        .Then([](CDialog& dialog) { ui_test::ClickCloseBox(dialog); });
    for (int expected : {IDCANCEL, IDOK, IDCANCEL}) {
        CAboutBox box;
        EXPECT_EQ(box.DoModal(), expected);
    }
    EXPECT_TRUE(script.Finished());
}
