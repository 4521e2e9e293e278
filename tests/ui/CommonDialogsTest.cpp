#include <gtest/gtest.h>

#include <QDialog>

#include "platform/ui/CColorDialog.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/WindowedPrompts.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

TEST(CommonDialogs, AFileDialogHandsItsSettingsToThePromptsAndReturnsThePath) {
    ScriptedPrompts prompts;
    prompts.fileAnswers = {std::string("/chosen/file.tga"), std::nullopt};
    probe::ProbeDialog owner;
    ASSERT_TRUE(owner.Create());
    CFileDialog save(FALSE, ".tga", "untitled.tga", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||", &owner);
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/chosen/file.tga");
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileDialogRequest& request = prompts.fileRequests[0];
    EXPECT_FALSE(request.openFileDialog);
    EXPECT_EQ(request.defaultExt, ".tga");
    EXPECT_EQ(request.fileName, "untitled.tga");
    EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(request.owner, owner.GetSafeHwnd());

    CFileDialog open(TRUE);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(open.GetPathName(), "");
    EXPECT_TRUE(prompts.fileRequests[1].openFileDialog);
    EXPECT_EQ(prompts.fileRequests[1].owner, nullptr);
}

TEST(CommonDialogs, TheFilterTextBecomesQtNameFilters) {
    EXPECT_EQ(QtNameFilters("TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||"),
              "TGA Files (*.tga);;All Files (*.*)");
    // Pairs are taken as written; one without a pattern ends the list.
    EXPECT_EQ(QtNameFilters("Selections|*.sel|Other||"), "Selections (*.sel)");
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.tga||"), "Pictures (*.png *.tga)");
}

TEST(CommonDialogs, TheColourDialogSharesItsCustomColoursAcrossDialogs) {
    ScriptedPrompts prompts;
    prompts.colorAnswers = {{true, RGB(1, 2, 3), {{4, RGB(9, 9, 9)}}}, {false, 0, {}}};
    CColorDialog first(0, CC_FULLOPEN | CC_RGBINIT);
    first.m_cc.rgbResult = RGB(200, 0, 0);
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(prompts.colorRequests[0].initial, RGB(200, 0, 0));
    EXPECT_EQ(prompts.colorRequests[0].flags, CC_FULLOPEN | CC_RGBINIT);

    CColorDialog second(RGB(5, 5, 5));
    EXPECT_EQ(second.m_cc.Flags, CC_RGBINIT);
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(prompts.colorRequests[1].custom[4], RGB(9, 9, 9));
    EXPECT_EQ(CColorDialog::GetSavedCustomColors()[4], RGB(9, 9, 9));
}

TEST(CommonDialogs, TheWaitCursorLastsForItsScope) {
    ScriptedPrompts prompts;
    {
        CWaitCursor wait;
        EXPECT_EQ(prompts.waitCursorDepth, 1);
    }
    EXPECT_EQ(prompts.waitCursorDepth, 0);
    EXPECT_EQ(prompts.waitCursorCount, 1);
}

TEST(CommonDialogs, WindowPlacementGoesThroughThePrompts) {
    ScriptedPrompts prompts;
    probe::ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(dialog.GetWindowPlacement(&placement));
    placement.showCmd = SW_MINIMIZE;
    dialog.SetWindowPlacement(&placement);
    EXPECT_EQ(prompts.placements, std::vector<UINT>{SW_MINIMIZE});
}

TEST(CommonDialogs, WindowedPlacementMinimisesAndRestores) {
    probe::ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.Window()->show();
    WindowedPrompts windowed;
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(windowed.GetWindowPlacement(dialog.GetSafeHwnd(), &placement));
    EXPECT_EQ(placement.showCmd, SW_SHOWNORMAL);
    placement.showCmd = SW_MINIMIZE;
    windowed.SetWindowPlacement(dialog.GetSafeHwnd(), &placement);
    EXPECT_TRUE(dialog.Window()->isMinimized());
    placement.showCmd = SW_RESTORE;
    windowed.SetWindowPlacement(dialog.GetSafeHwnd(), &placement);
    EXPECT_FALSE(dialog.Window()->isMinimized());
}

}  // namespace
