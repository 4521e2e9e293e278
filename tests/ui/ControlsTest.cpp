#include "platform/ui/Controls.h"

#include <gtest/gtest.h>

#include <QSlider>

#include "tests/support/DialogDriver.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using namespace probe;
using namespace ui_test;

class Controls : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    CSpinButtonCtrl* Spin(int id) { return dialog.GetDlgItemAs<CSpinButtonCtrl>(id); }
    ProbeDialog dialog;
};

TEST_F(Controls, TheUpperArrowRaisesTheBuddysNumberByOneWithinTheDefaultRange) {
    Type(dialog, kUnsigned, "3");
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), "4");
    ClickSpin(dialog, kBuddySpin, false, 2);
    EXPECT_EQ(Text(dialog, kUnsigned), "2");
    Type(dialog, kUnsigned, "100");
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), "100");
    Type(dialog, kUnsigned, "0");
    ClickSpin(dialog, kBuddySpin, false);
    EXPECT_EQ(Text(dialog, kUnsigned), "0");
}

TEST_F(Controls, ASpinBringsAnOutOfRangeBuddyBackIntoItsRange) {
    Spin(kBuddySpin)->SetRange(0, 20);
    Type(dialog, kUnsigned, "50");
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), "20");
    int lower = -1;
    int upper = -1;
    Spin(kBuddySpin)->GetRange32(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 20);
}

TEST_F(Controls, ASpinWhoseRangeRunsDownwardStillMovesTowardItsUpperEnd) {
    Spin(kBuddySpin)->SetRange(10, 0);
    Type(dialog, kUnsigned, "5");
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), "4");
}

TEST_F(Controls, TheDialogSeesEachStepFirstAndMayRefuseIt) {
    ClickSpin(dialog, kOwnSpin, true);
    ClickSpin(dialog, kOwnSpin, false, 3);
    EXPECT_EQ(dialog.deltas, (std::vector<int>{1, -1, -1, -1}));
    EXPECT_EQ(Text(dialog, kSigned + 100), "-2");
    dialog.refuseSteps = true;
    const std::string before = Text(dialog, kUnsigned);
    dialog.MapNotify(kBuddySpin, UDN_DELTAPOS, [](NMHDR*, LRESULT* result) { *result = 1; });
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), before);
}

TEST_F(Controls, ArrowKeysInTheBuddyStepTheSpin) {
    Type(dialog, kUnsigned, "7");
    PressKeyIn(dialog, kUnsigned, Qt::Key_Up);
    EXPECT_EQ(Text(dialog, kUnsigned), "8");
    PressKeyIn(dialog, kUnsigned, Qt::Key_Down);
    PressKeyIn(dialog, kUnsigned, Qt::Key_Down);
    EXPECT_EQ(Text(dialog, kUnsigned), "6");
}

TEST_F(Controls, ADisabledSpinDoesNotStep) {
    Type(dialog, kUnsigned, "7");
    Spin(kBuddySpin)->EnableWindow(FALSE);
    ClickSpin(dialog, kBuddySpin, true);
    EXPECT_EQ(Text(dialog, kUnsigned), "7");
}

TEST_F(Controls, ASortedListPutsTheEmptyEntryFirstAndStartsWithNoSelection) {
    ASSERT_EQ(EntryCount(dialog, kList), 4);
    EXPECT_EQ(Entry(dialog, kList, 0), "");
    EXPECT_EQ(Entry(dialog, kList, 1), "Apple");
    EXPECT_EQ(Entry(dialog, kList, 2), "banana");
    EXPECT_EQ(Entry(dialog, kList, 3), "pear");
    EXPECT_EQ(dialog.m_list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_list.AddString("Cherry"), 3);
}

TEST_F(Controls, OnlyTheOperatorsPickNotifiesAndABadIndexClearsTheSelection) {
    dialog.commands.clear();
    EXPECT_EQ(dialog.m_list.SetCurSel(2), 2);
    EXPECT_TRUE(dialog.commands.empty());
    Pick(dialog, kList, 1);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0], std::make_pair(UINT(kList), CBN_SELCHANGE));
    EXPECT_EQ(dialog.m_list.GetCurSel(), 1);
    EXPECT_EQ(dialog.m_list.SetCurSel(99), CB_ERR);
    EXPECT_EQ(dialog.m_list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_list.SetCurSel(-1), CB_ERR);
}

TEST_F(Controls, RadioGroupsAreSeparateAndCanAllBeOff) {
    Click(dialog, kRadioB);
    Click(dialog, kRadioX);
    EXPECT_TRUE(Checked(dialog, kRadioB));
    EXPECT_TRUE(Checked(dialog, kRadioX));
    Click(dialog, kRadioC);
    EXPECT_FALSE(Checked(dialog, kRadioB));
    EXPECT_TRUE(Checked(dialog, kRadioC));
    EXPECT_TRUE(Checked(dialog, kRadioX));
    // Clicking the button that is on keeps it on and still notifies.
    dialog.commands.clear();
    Click(dialog, kRadioA);
    Click(dialog, kRadioA);
    EXPECT_TRUE(Checked(dialog, kRadioA));
    EXPECT_EQ(dialog.commands.size(), 2u);
    dialog.CheckDlgButton(kRadioA, BST_UNCHECKED);
    EXPECT_FALSE(Checked(dialog, kRadioA));
    EXPECT_FALSE(Checked(dialog, kRadioB));
    EXPECT_FALSE(Checked(dialog, kRadioC));
    dialog.CheckRadioButton(kRadioA, kRadioC, kRadioB);
    EXPECT_EQ(dialog.IsDlgButtonChecked(kRadioB), BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(kRadioA), BST_UNCHECKED);
}

TEST_F(Controls, ASliderReportsTheOperatorsScrollsButNotItsOwnSettings) {
    auto* slider = dialog.GetDlgItemAs<CSliderCtrl>(kSlider);
    ASSERT_TRUE(slider);
    slider->SetRange(-1000, 1000);
    slider->SetPos(15);
    slider->SetSelection(-1000, 1000);
    EXPECT_TRUE(dialog.scrolls.empty());
    EXPECT_EQ(slider->GetPos(), 15);
    int start = 0;
    int end = 0;
    slider->GetSelection(start, end);
    EXPECT_EQ(start, -1000);
    EXPECT_EQ(end, 1000);
    static_cast<QSlider*>(slider->GetWidget())->triggerAction(QSlider::SliderSingleStepAdd);
    ASSERT_EQ(dialog.scrolls.size(), 1u);
    EXPECT_EQ(dialog.scrolls[0], std::make_pair(int(kSlider), 16));
}

TEST_F(Controls, StaticsAndGroupBoxesShowTheirTextAndTakeNoFocus) {
    EXPECT_EQ(Text(dialog, kLabel), "Label");
    EXPECT_EQ(Text(dialog, kGroup), "Group");
    EXPECT_EQ(dialog.GetDlgItem(kGroup)->GetWidget()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(dialog.GetDlgItem(kLabel)->GetWidget()->focusPolicy(), Qt::NoFocus);
    dialog.GetDlgItem(kLabel)->SetWindowText("Changed");
    EXPECT_EQ(Text(dialog, kLabel), "Changed");
}

}  // namespace
