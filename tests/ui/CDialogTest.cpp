#include "platform/ui/CDialog.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <functional>
#include <new>

#include "platform/automation/DispatchDriver.h"
#include "platform/ui/HandlerBoundary.h"
#include "platform/ui/WindowedPrompts.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using namespace probe;
using namespace ui_test;

TEST(CDialog, DoModalReturnsWhatEndDialogWasGiven) {
    {
        ModalScript script;
        script.Then([](CDialog& dialog) { dialog.EndDialog(42); }).Then([](CDialog&) {});
        ProbeDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 42);
        EXPECT_FALSE(dialog.Window());
        // A dialog left open by its run ends with -1.
        EXPECT_EQ(ProbeDialog().DoModal(), -1);
        EXPECT_EQ(script.opened, (std::vector<int>{999, 999}));
    }
    ModalScript script;  // no step: ending in OnInitDialog skips the modal run
    ProbeDialog dialog;
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(script.opened.empty());
}

TEST(CreatedDialog, ButtonsReachTheirHandlersByIdByClickOrEnterAndDisabledOnesDoNothing) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.commands.clear();
    Click(dialog, kPush);
    Click(dialog, kDisabled);
    EXPECT_FALSE(Enabled(dialog, kDisabled));
    EXPECT_FALSE(dialog.GetDlgItem(kHidden)->IsWindowVisible());
    // Enter on a focused button clicks that button, not the default one.
    dialog.GotoDlgCtrl(dialog.GetDlgItem(kPush));
    PressKey(dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.okCalls, 0);
    EXPECT_EQ(dialog.commands,
              (std::vector<std::pair<UINT, UINT>>{{kPush, BN_CLICKED}, {kPush, BN_CLICKED}}));
}

// The modal loop of the window system, without a driver.
class CDialogModalLoop : public ::testing::Test {
protected:
private:
    ScopedModalDriver m_loop{nullptr};
};

TEST_F(CDialogModalLoop, EscapeAndTheCloseBoxEndTheRealModalLoop) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Escape");
        ProbeDialog dialog;
        QTimer::singleShot(
            0, [&] { closeBox ? ClickCloseBox(dialog) : PressKey(dialog, Qt::Key_Escape); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.closeRequests, closeBox ? 1 : 0);
        EXPECT_EQ(dialog.cancelCalls, 1);
    }
}

TEST_F(CDialogModalLoop, ANestedDialogRunsItsOwnLoop) {
    ProbeDialog outer;
    INT_PTR inner = 0;
    outer.MapCommand(kPush, BN_CLICKED, [&] {
        ProbeDialog dialog(&outer);
        QTimer::singleShot(0, [&] { Click(dialog, IDOK); });
        inner = dialog.DoModal();
        outer.EndDialog(9);
    });
    QTimer::singleShot(0, [&] { Click(outer, kPush); });
    EXPECT_EQ((std::tuple{outer.DoModal(), inner}), (std::tuple{9, IDOK}));
}

TEST_F(CDialogModalLoop, AFailingHandlerIsShownAndTheDialogGoesOn) {
    RecordingPrompts prompts;
    const std::pair<std::function<void()>, std::string> failures[] = {
        {[] { throw COleDispatchException(E_OUTOFMEMORY, ""); }, "Out of Memory"},
        {[] { throw COleDispatchException(DISP_E_MEMBERNOTFOUND, ""); },
         "dispatch call failed: 0x80020003"},
        {[] { throw std::bad_alloc(); }, "Out of Memory"},
        {[] { throw 42; }, kUnknownFailureText}};
    ProbeDialog dialog;
    size_t next = 0;
    dialog.MapCommand(kPush, BN_CLICKED, [&] { failures[next++].first(); });
    QTimer::singleShot(0, [&] {
        for (size_t i = 0; i < std::size(failures); ++i) Click(dialog, kPush);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    std::vector<std::string> expected;
    for (const auto& failure : failures) expected.push_back(failure.second);
    EXPECT_EQ(prompts.Take(), expected);
}

TEST(CommonDialogs, TheFilterTextBecomesQtNameFilters) {
    EXPECT_EQ(QtNameFilters("TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||"),
              "TGA Files (*.tga);;All Files (*.*)");
    // Pairs are taken as written; one without a pattern ends the list.
    EXPECT_EQ(QtNameFilters("Selections|*.sel|Other||"), "Selections (*.sel)");
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.tga||"), "Pictures (*.png *.tga)");
    // A pattern with no pattern after it is a filter of its own; the rest pairs up again.
    EXPECT_EQ(QtNameFilters("*.sel | All Files (*.*)|*.*||"), "*.sel (*.sel);;All Files (*.*)");
}

}  // namespace
