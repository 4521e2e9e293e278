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

}  // namespace

TEST(ControlDrawingTest, BothControlsDrawAWhiteBoxWithAnEllipseInTheCurrentPenAndBrush) {
    for (const auto& held : {ComPtr<COleControl>::Adopt(new CRastelCtrl()),
                             ComPtr<COleControl>::Adopt(new CRastelEditor())}) {
        SCOPED_TRACE(GuidToString(held->PrimaryIID()));
        for (const bool gray : {false, true}) {
            QImage image(60, 40, QImage::Format_ARGB32);
            image.fill(kRed);
            {
                CImageDC dc(image);
                if (gray) {
                    dc.SelectObject(dc.GetStockBrush(GRAY_BRUSH));
                    dc.SelectObject(dc.GetStockPen(WHITE_PEN));
                }
                held->DrawContent(&dc, RECT{10, 5, 50, 35});
            }
            // Nothing outside the bounds; the box white at its corner; the
            // ellipse's pen touching the middle of a side, its brush inside.
            EXPECT_EQ(std::tuple(image.pixel(9, 5), image.pixel(49, 34)), std::tuple(kRed, kWhite));
            EXPECT_EQ(image.pixel(10, 19), gray ? kWhite : 0xFF000000);
            EXPECT_EQ(image.pixel(30, 20), gray ? 0xFF808080 : kWhite);
        }
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
}
