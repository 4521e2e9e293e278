// The module's windows and drawing on the offscreen platform: both controls'
// pictures, the about box, the property pages, and tool runs that open the
// real tools dialog, worked by script.

#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "control/AboutLabels.h"
#include "control/CAboutBox.h"
#include "control/CRastelCtrl.h"
#include "control/CRastelCtrlPropPage.h"
#include "control/CRastelEditor.h"
#include "control/CRastelEditorPropPage.h"
#include "control/ModuleDialogs.h"
#include "control/PropertyPageWindows.h"
#include "dialogs/Resource.h"
#include "platform/olectl/ui/CImageDC.h"
#include "tests/module/DispatchCalls.h"
#include "tests/module/StandInHost.h"
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

// Installs the module's own dialogs for one test.
class RealDialogs {
public:
    RealDialogs() : m_previous(InstallControlDialogs(&TheModuleDialogs())) {}
    ~RealDialogs() { InstallControlDialogs(m_previous); }

private:
    ControlDialogs* m_previous;
};

}  // namespace

TEST(ControlDrawingTest, TheEffectControlDrawsAWhiteBoxWithAnInscribedEllipse) {
    QImage image = RedCanvas();
    CRastelCtrl control;
    const RECT bounds{10, 5, 50, 35};
    {
        CImageDC dc(image);
        control.DrawContent(&dc, bounds);
    }
    ExpectWhiteBoxWithEllipse(image, bounds);
}

TEST(ControlDrawingTest, TheEditorDrawsTheSameWithTheCurrentPenAndBrush) {
    QImage image = RedCanvas();
    CRastelEditor* editor = new CRastelEditor();
    const RECT bounds{4, 2, 44, 32};
    {
        CImageDC dc(image);
        editor->DrawContent(&dc, bounds);
    }
    ExpectWhiteBoxWithEllipse(image, bounds);

    // With another brush selected the ellipse takes it; the box stays white.
    QImage gray = RedCanvas();
    {
        CImageDC dc(gray);
        dc.SelectObject(dc.GetStockBrush(GRAY_BRUSH));
        dc.SelectObject(dc.GetStockPen(WHITE_PEN));
        editor->DrawContent(&dc, bounds);
    }
    EXPECT_EQ(gray.pixel(24, 17), 0xFF808080);
    EXPECT_EQ(gray.pixel(4, 2), kWhite);
    EXPECT_EQ(gray.pixel(4, 16), kWhite);
    editor->Release();
}

TEST(AboutBoxTest, TheTemplate) {
    const DialogTemplate t = AboutBoxTemplate();
    EXPECT_EQ(t.id, 1);
    EXPECT_EQ(t.caption, "About Tintora");
    EXPECT_EQ(t.cx, 208);
    EXPECT_EQ(t.cy, 84);
    EXPECT_EQ(t.fontFace, "MS Sans Serif");
    EXPECT_EQ(t.fontPoints, 8);
    for (const DialogItem& item : t.items) {
        EXPECT_NE(item.itemClass, ItemClass::Button) << "the about box has no button";
    }
    const DialogItem* product = t.FindItem(313);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ((std::vector<int>{product->x, product->y, product->cx, product->cy}),
              (std::vector<int>{92, 25, 93, 8}));
    const DialogItem* copyright = t.FindItem(314);
    ASSERT_NE(copyright, nullptr);
    EXPECT_EQ((std::vector<int>{copyright->x, copyright->y, copyright->cx, copyright->cy}),
              (std::vector<int>{92, 39, 93, 8}));
    EXPECT_EQ(t.items[0].x, 10);
    EXPECT_EQ(t.items[0].y, 10);
    EXPECT_EQ(t.items[3].x, 92);
    EXPECT_EQ(t.items[3].y, 53);
}

TEST(AboutBoxTest, TheModuleFilesVersionMakesTheLabel) {
    const AboutLabels labels = ReadAboutLabels(TINTORA_MODULE_FILE);
    EXPECT_EQ(labels.product, "Tintora v8.0.0.2");
    EXPECT_EQ(labels.copyright, kFallbackCopyright);
}

TEST(AboutBoxTest, WithoutVersionInformationTheFallbacksShow) {
    // This test program carries no version information.
    ModalScript script;
    script.Then([](CDialog& dialog) {
        EXPECT_EQ(ui_test::Text(dialog, 313), "Tintora v7.2");
        EXPECT_EQ(ui_test::Text(dialog, 314), kFallbackCopyright);
        EXPECT_EQ(dialog.Window()->windowTitle().toStdString(), "About Tintora");
        ui_test::PressKey(dialog, Qt::Key_Escape);
    });
    CAboutBox box;
    EXPECT_EQ(box.DoModal(), IDCANCEL);
    EXPECT_EQ(AboutLabels(ReadAboutLabels("/nonexistent/VOKSLETRASTEL.OCX")).product,
              "Tintora v7.2");
}

TEST(AboutBoxTest, EnterAndTheCloseBoxCloseIt) {
    ModalScript script;
    script.Then([](CDialog& dialog) { ui_test::PressKey(dialog, Qt::Key_Return); })
        .Then([](CDialog& dialog) { ui_test::ClickCloseBox(dialog); });
    CAboutBox first;
    EXPECT_EQ(first.DoModal(), IDOK);
    CAboutBox second;
    EXPECT_EQ(second.DoModal(), IDCANCEL);
}

TEST(AboutBoxTest, TheAboutBoxMethodShowsIt) {
    RealDialogs dialogs;
    ModalScript script;
    script.Then([](CDialog& dialog) { ui_test::PressKey(dialog, Qt::Key_Escape); });
    CRastelCtrl* control = new CRastelCtrl();
    CallResult result;
    InvokeMethod(control, DISPID_ABOUTBOX, {}, result);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(script.opened, std::vector<int>{1});
    control->Release();
}

TEST(PropertyPageWindowTest, BothPagesAreGeneral) {
    CRastelCtrlPropPage* control = new CRastelCtrlPropPage();
    CRastelEditorPropPage* editor = new CRastelEditorPropPage();
    ModalScript script;
    for (int i = 0; i < 2; ++i) {
        script.Then([](CDialog& dialog) {
            EXPECT_EQ(dialog.Window()->windowTitle().toStdString(), "General");
            ui_test::PressKey(dialog, Qt::Key_Escape);
        });
    }
    EXPECT_EQ(CreatePropertyPageWindow(*control)->DoModal(), IDCANCEL);
    EXPECT_EQ(CreatePropertyPageWindow(*editor)->DoModal(), IDCANCEL);
    EXPECT_EQ(script.opened, (std::vector<int>{200, 201}));
    control->Release();
    editor->Release();
}

TEST(PropertyPageWindowTest, ThePropertiesVerbShowsEachControlsPage) {
    AfxGetModuleState()->m_pfnPropertyFrame = &ShowPropertyFrame;
    ModalScript script;
    std::vector<std::string> captions;
    for (int i = 0; i < 2; ++i) {
        script.Then([&](CDialog& dialog) {
            captions.push_back(dialog.Window()->windowTitle().toStdString());
            ui_test::PressKey(dialog, Qt::Key_Escape);
        });
    }
    for (COleControl* control :
         std::initializer_list<COleControl*>{new CRastelCtrl(), new CRastelEditor()}) {
        IOleObject* object = nullptr;
        ASSERT_EQ(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
        EXPECT_EQ(object->DoVerb(OLEIVERB_PROPERTIES), S_OK);
        EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY), OLEOBJ_S_INVALIDVERB);
        object->Release();
        control->Release();
    }
    EXPECT_EQ(script.opened, (std::vector<int>{200, 201}));
    EXPECT_EQ(captions, (std::vector<std::string>{"General", "General"}));
    AfxGetModuleState()->m_pfnPropertyFrame = nullptr;
}

class ToolRunTest : public ::testing::Test {
protected:
    ToolRunTest() : control(new CRastelCtrl()) {}
    ~ToolRunTest() override { control->Release(); }

    CallResult Tintora(VARIANT item) {
        CallResult result;
        InvokeMethod(control, DispIdOf(control, "Tintora"), {item}, result);
        return result;
    }

    CRastelCtrl* control;
    RealDialogs dialogs;
    ModalScript script;
};

TEST_F(ToolRunTest, TheToolsDialogEditsTheElementItWasGiven) {
    StandInHost host;
    const auto counts = host.RefCounts();
    script.Then([](CDialog& dialog) {
        EXPECT_EQ(dialog.Template().id, IDD_TINTORA_DIALOG);
        ui_test::Click(dialog, IDC_APPLY_FOCUS);
        ui_test::Click(dialog, IDOK);
    });
    CallResult result = Tintora(DispatchArg(host.otherElement));
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(script.opened, std::vector<int>{IDD_TINTORA_DIALOG});
    EXPECT_NE(host.otherImage->Pixels(), StandInHost::Picture(90));
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.RefCounts(), counts);
}

TEST_F(ToolRunTest, WithoutATargetApplyChangesNothing) {
    StandInHost host(3);
    VARIANT_BOOL status;
    CallResult init;
    InvokeMethod(control, 1, {DispatchArg(host.application), BoolOut(&status)}, init);
    host.calls.clear();
    const auto counts = host.RefCounts();
    script.Then([](CDialog& dialog) {
        ui_test::Click(dialog, IDC_APPLY_FOCUS);
        ui_test::Click(dialog, IDC_APPLY_OFFSET);
        ui_test::Click(dialog, IDC_APPLY_BORDER);
        ui_test::Click(dialog, IDC_RESTORE);
        ui_test::Click(dialog, IDOK);
    });
    Tintora(Empty());
    EXPECT_EQ(script.opened, std::vector<int>{IDD_TINTORA_DIALOG});
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.activeImage->FromRGBACalls(), 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                                    "Scene.ActiveObject", "SceneObject.Type"}));
    EXPECT_EQ(host.RefCounts(), counts);
}

TEST_F(ToolRunTest, CancelPutsTheOriginalBackAndReleasesTheTarget) {
    StandInHost host;
    const auto counts = host.RefCounts();
    script.Then([&](CDialog& dialog) {
        ui_test::Click(dialog, IDC_APPLY_FOCUS);
        EXPECT_NE(host.activeImage->Pixels(), StandInHost::Picture(10));
        ui_test::Click(dialog, IDC_CANCEL_RESTORE);
    });
    Tintora(DispatchArg(host.activeElement));
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.RefCounts(), counts);
    EXPECT_EQ(control->m_target.m_lpDispatch, nullptr);
}
