#include "platform/ui/CDialog.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "tests/support/DialogDriver.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using namespace probe;
using namespace ui_test;

TEST(CDialog, DoModalReturnsWhatEndDialogWasGiven) {
    ModalScript script;
    script.Then([](CDialog& dialog) { dialog.EndDialog(42); });
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(script.opened, std::vector<int>{999});
    EXPECT_FALSE(dialog.Window());
}

TEST(CDialog, ADialogLeftOpenByItsRunEndsWithMinusOne) {
    ModalScript script;
    script.Then([](CDialog&) {});
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(CDialog, EndingInOnInitDialogSkipsTheModalRun) {
    ModalScript script;  // no step: the run must not start
    ProbeDialog dialog;
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(script.opened.empty());
}

TEST(CDialog, InitialisationShowsTheMembersAndFocusesTheFirstTabStop) {
    ProbeDialog dialog;
    dialog.m_nSigned = -3;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_EQ(Text(dialog, kSigned), "-3");
    EXPECT_EQ(Text(dialog, kUnsigned), "2");
    EXPECT_EQ(Text(dialog, kText), "start");
    EXPECT_EQ(dialog.GetFocusedId(), kSigned);
    EXPECT_TRUE(dialog.m_list.GetWidget()) << "bound by the first exchange";
}

TEST(CDialog, EscapeIssuesTheCancelCommand) {
    ProbeDialog dialog;
    dialog.MapClose();
    ASSERT_TRUE(dialog.Create());
    PressKey(dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_EQ(dialog.closeRequests, 0);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.ModalResult(), IDCANCEL);
}

TEST(CDialog, TheCloseBoxAsksWmCloseWhoseDefaultIsTheCancelCommand) {
    ProbeDialog dialog;
    dialog.MapClose();
    ASSERT_TRUE(dialog.Create());
    ClickCloseBox(dialog);
    EXPECT_EQ(dialog.closeRequests, 1);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_EQ(dialog.ModalResult(), IDCANCEL);
}

TEST(CDialog, TheCloseBoxWithoutAHandlerCancels) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ClickCloseBox(dialog);
    EXPECT_EQ(dialog.cancelCalls, 1);
}

TEST(CDialog, EnterInAnEditIssuesTheDefaultButtonsCommand) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    PressKeyIn(dialog, kText, Qt::Key_Return);
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(dialog.ModalResult(), IDOK);
}

TEST(CDialog, EnterOnAFocusedButtonClicksThatButton) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.commands.clear();
    dialog.GotoDlgCtrl(dialog.GetDlgItem(kPush));
    PressKey(dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.okCalls, 0);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0], std::make_pair(UINT(kPush), BN_CLICKED));
}

TEST(CDialog, OkStaysOpenWhenTheExchangeFails) {
    RecordingPrompts prompts;
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    Type(dialog, kSigned, "9");
    Click(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Please enter an integer between -5 and 5."});
    Type(dialog, kSigned, "4");
    Click(dialog, IDOK);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.m_nSigned, 4);
}

TEST(CDialog, ButtonsReachTheirHandlersByIdAndDisabledOnesDoNothing) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.commands.clear();
    Click(dialog, kPush);
    Click(dialog, kDisabled);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0].first, UINT(kPush));
    EXPECT_FALSE(Enabled(dialog, kDisabled));
    EXPECT_FALSE(dialog.GetDlgItem(kHidden)->IsWindowVisible());
}

TEST(CDialog, NestedDialogsRunInTheOrderTheyOpen) {
    ModalScript script;
    std::vector<std::string> trace;
    script
        .Then([&](CDialog& outer) {
            trace.push_back("outer");
            ProbeDialog inner(&outer);
            trace.push_back("inner returned " + std::to_string(inner.DoModal()));
            outer.EndDialog(1);
        })
        .Then([&](CDialog& inner) {
            trace.push_back("inner");
            EXPECT_EQ(inner.GetParent()->GetWidget(), inner.Window()->parentWidget());
            inner.EndDialog(5);
        });
    ProbeDialog outer;
    EXPECT_EQ(outer.DoModal(), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"outer", "inner", "inner returned 5"}));
}

TEST(CDialog, GetDlgItemIntReadsOnlyWholeNumbers) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    BOOL ok = FALSE;
    dialog.SetDlgItemText(kText, " -12 ");
    EXPECT_EQ(int(dialog.GetDlgItemInt(kText, &ok, TRUE)), -12);
    EXPECT_TRUE(ok);
    dialog.SetDlgItemText(kText, "12a");
    EXPECT_EQ(dialog.GetDlgItemInt(kText, &ok, TRUE), 0u);
    EXPECT_FALSE(ok);
    dialog.SetDlgItemText(kText, "");
    EXPECT_EQ(dialog.GetDlgItemInt(kText, &ok, TRUE), 0u);
    EXPECT_FALSE(ok);
    dialog.SetDlgItemText(kText, "-1");
    EXPECT_EQ(dialog.GetDlgItemInt(kText, &ok, FALSE), 0u);
    EXPECT_FALSE(ok);
    dialog.SetDlgItemInt(kText, UINT(-7), TRUE);
    EXPECT_EQ(Text(dialog, kText), "-7");
}

TEST(CDialog, AMemberBoundToAControlForgetsItWhenTheWindowGoes) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.m_list.GetCount(), 4);
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.m_list.GetWidget());
    EXPECT_EQ(dialog.m_list.GetCurSel(), CB_ERR);
}

}  // namespace

namespace {

// The modal loop of the window system, without a driver.
class WindowSystemLoop {
public:
    WindowSystemLoop() : m_previous(InstallModalDriver(nullptr)) {}
    ~WindowSystemLoop() { InstallModalDriver(m_previous); }

private:
    ModalDriver* m_previous;
};

TEST(CDialogModalLoop, EscapeEndsTheRealModalLoop) {
    WindowSystemLoop loop;
    probe::ProbeDialog dialog;
    QTimer::singleShot(0, [&] { ui_test::PressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancelCalls, 1);
}

TEST(CDialogModalLoop, TheCloseBoxEndsTheRealModalLoopThroughWmClose) {
    WindowSystemLoop loop;
    probe::ProbeDialog dialog;
    dialog.MapClose();
    QTimer::singleShot(0, [&] { ui_test::ClickCloseBox(dialog); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.closeRequests, 1);
}

TEST(CDialogModalLoop, ANestedDialogRunsItsOwnLoop) {
    WindowSystemLoop loop;
    probe::ProbeDialog outer;
    INT_PTR inner = 0;
    outer.MapCommand(probe::kPush, BN_CLICKED, [&] {
        probe::ProbeDialog dialog(&outer);
        QTimer::singleShot(0, [&] { ui_test::Click(dialog, IDOK); });
        inner = dialog.DoModal();
        outer.EndDialog(9);
    });
    QTimer::singleShot(0, [&] { ui_test::Click(outer, probe::kPush); });
    EXPECT_EQ(outer.DoModal(), 9);
    EXPECT_EQ(inner, IDOK);
}

}  // namespace
