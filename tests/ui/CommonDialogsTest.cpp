#include <gtest/gtest.h>

#include <QDialog>

#include "platform/ui/CColorDialog.h"
#include "platform/ui/WindowedPrompts.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

TEST(CommonDialogs, TheFilterTextBecomesQtNameFilters) {
    EXPECT_EQ(QtNameFilters("TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||"),
              "TGA Files (*.tga);;All Files (*.*)");
    // Pairs are taken as written; one without a pattern ends the list.
    EXPECT_EQ(QtNameFilters("Selections|*.sel|Other||"), "Selections (*.sel)");
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.tga||"), "Pictures (*.png *.tga)");
    // A pattern with no pattern after it is a filter of its own; the rest pairs up again.
    EXPECT_EQ(QtNameFilters("*.sel | All Files (*.*)|*.*||"), "*.sel (*.sel);;All Files (*.*)");
}

TEST(CommonDialogs, TheColourDialogSharesItsCustomColoursAndStartsOnAGivenColour) {
    ScriptedPrompts prompts;
    prompts.colorAnswers = {{true, RGB(1, 2, 3), {{4, RGB(9, 9, 9)}}}, {false, 0, {}}};
    CColorDialog first(0, CC_FULLOPEN);
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetColor(), RGB(1, 2, 3));
    CColorDialog second(RGB(5, 5, 5));
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts.colorRequests.size(), 2u);
    EXPECT_EQ(prompts.colorRequests[0].flags, DWORD(CC_FULLOPEN));
    EXPECT_EQ(prompts.colorRequests[1].flags, DWORD(CC_RGBINIT));
    EXPECT_EQ(prompts.colorRequests[1].initial, RGB(5, 5, 5));
    EXPECT_EQ(prompts.colorRequests[1].custom[4], RGB(9, 9, 9));
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
