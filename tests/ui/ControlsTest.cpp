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
    // Types into the buddy of the spin, steps it and gives what the buddy shows.
    std::string Step(const char* typed, bool up, int times = 1) {
        Type(dialog, kUnsigned, typed);
        ClickSpin(dialog, kBuddySpin, up, times);
        return Text(dialog, kUnsigned);
    }
    ProbeDialog dialog;
};

TEST_F(Controls, ASpinStepsItsBuddysNumberWithinItsRange) {
    // The default range is 0 to 100.
    EXPECT_EQ(Step("3", true), "4");
    EXPECT_EQ(Step("4", false, 2), "2");
    EXPECT_EQ(Step("100", true), "100");
    EXPECT_EQ(Step("0", false), "0");
    // Arrow keys in the buddy step the spin.
    Type(dialog, kUnsigned, "7");
    PressKeyIn(dialog, kUnsigned, Qt::Key_Up);
    EXPECT_EQ(Text(dialog, kUnsigned), "8");
    PressKeyIn(dialog, kUnsigned, Qt::Key_Down);
    PressKeyIn(dialog, kUnsigned, Qt::Key_Down);
    EXPECT_EQ(Text(dialog, kUnsigned), "6");
    // An out-of-range buddy is brought back into the range.
    Spin(kBuddySpin)->SetRange(0, 20);
    EXPECT_EQ(Step("50", true), "20");
    int lower = -1;
    int upper = -1;
    Spin(kBuddySpin)->GetRange32(lower, upper);
    EXPECT_EQ(std::pair(lower, upper), std::pair(0, 20));
    // A range that runs downward still moves toward its upper end.
    Spin(kBuddySpin)->SetRange(10, 0);
    EXPECT_EQ(Step("5", true), "4");
    Spin(kBuddySpin)->EnableWindow(FALSE);
    EXPECT_EQ(Step("7", true), "7");
}

TEST_F(Controls, TheDialogSeesEachStepFirstAndMayRefuseIt) {
    ClickSpin(dialog, kOwnSpin, true);
    ClickSpin(dialog, kOwnSpin, false, 3);
    EXPECT_EQ(dialog.deltas, (std::vector<int>{1, -1, -1, -1}));
    EXPECT_EQ(Text(dialog, kSigned + 100), "-2");
    dialog.MapNotify(kBuddySpin, UDN_DELTAPOS, [](NMHDR*, LRESULT* result) { *result = 1; });
    EXPECT_EQ(Step("5", true), "5");
}

TEST_F(Controls, ASortedListStartsWithoutSelectionAndNotifiesOnlyTheOperatorsPick) {
    std::vector<std::string> entries;
    for (int i = 0; i < EntryCount(dialog, kList); ++i) entries.push_back(Entry(dialog, kList, i));
    EXPECT_EQ(entries, (std::vector<std::string>{"", "Apple", "banana", "pear"}));
    EXPECT_EQ(dialog.m_list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_list.AddString("Cherry"), 3);
    dialog.commands.clear();
    EXPECT_EQ(dialog.m_list.SetCurSel(2), 2);
    EXPECT_TRUE(dialog.commands.empty());
    Pick(dialog, kList, 1);
    EXPECT_EQ(dialog.commands, (std::vector<std::pair<UINT, UINT>>{{kList, CBN_SELCHANGE}}));
    EXPECT_EQ(dialog.m_list.GetCurSel(), 1);
    // A bad index clears the selection.
    EXPECT_EQ(dialog.m_list.SetCurSel(99), CB_ERR);
    EXPECT_EQ(dialog.m_list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_list.SetCurSel(-1), CB_ERR);
}

TEST_F(Controls, RadioGroupsAreSeparateAndCanAllBeOff) {
    // Which of the radio buttons A, B, C and X, Y are on.
    auto on = [&] {
        std::string states;
        for (int id = kRadioA; id <= kRadioY; ++id) states += Checked(dialog, id) ? '1' : '0';
        return states;
    };
    Click(dialog, kRadioB);
    Click(dialog, kRadioX);
    EXPECT_EQ(on(), "01010");
    Click(dialog, kRadioC);
    EXPECT_EQ(on(), "00110");
    // Clicking the button that is on keeps it on and still notifies.
    dialog.commands.clear();
    Click(dialog, kRadioA);
    Click(dialog, kRadioA);
    EXPECT_EQ(on(), "10010");
    EXPECT_EQ(dialog.commands.size(), 2u);
    dialog.CheckDlgButton(kRadioA, BST_UNCHECKED);
    EXPECT_EQ(on(), "00010");
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
    EXPECT_EQ(std::pair(start, end), std::pair(-1000, 1000));
    static_cast<QSlider*>(slider->GetWidget())->triggerAction(QSlider::SliderSingleStepAdd);
    EXPECT_EQ(dialog.scrolls, (std::vector<std::pair<int, int>>{{kSlider, 16}}));
}

}  // namespace
