#include "platform/ui/DataExchange.h"

#include <gtest/gtest.h>

#include "tests/support/DialogDriver.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using namespace probe;
using namespace ui_test;

class FieldExchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    RecordingPrompts prompts;
    ProbeDialog dialog;
};

TEST_F(FieldExchange, StopsAtTheFirstFailureKeepingWhatWasReadBeforeAndTheFailedNumber) {
    Type(dialog, kSigned, "3");
    Type(dialog, kUnsigned, "50");
    Type(dialog, kText, "typed");
    dialog.GotoDlgCtrl(dialog.GetDlgItem(kText));
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nSigned, 3);
    // A number that could be read is stored before its range check fails.
    EXPECT_EQ(dialog.m_nUnsigned, 50u);
    EXPECT_EQ(dialog.m_strText, "start");
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer between 0 and 10."});
    EXPECT_EQ(dialog.GetFocusedId(), kUnsigned);
}

TEST_F(FieldExchange, TextThatIsNoNumberLeavesTheMemberAsItWas) {
    Type(dialog, kSigned, "1x");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nSigned, 1);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Please enter an integer."});
    EXPECT_EQ(dialog.GetFocusedId(), kSigned);

    prompts.messages.clear();
    Type(dialog, kSigned, "0");
    Type(dialog, kUnsigned, "-1");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nUnsigned, 2u);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Please enter a positive integer."});
}

TEST_F(FieldExchange, AQuietExchangeShowsNothingAndLeavesTheFocus) {
    Type(dialog, kUnsigned, "11");
    dialog.GotoDlgCtrl(dialog.GetDlgItem(kText));
    EXPECT_FALSE(dialog.UpdateDataQuietly());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(dialog.GetFocusedId(), kText);
    EXPECT_EQ(dialog.m_nUnsigned, 11u);
}

TEST_F(FieldExchange, ReadsEverythingWhenAllIsValid) {
    Type(dialog, kSigned, " -5");
    Type(dialog, kUnsigned, "10 ");
    Type(dialog, kText, "a b");
    Click(dialog, kCheck);
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nSigned, -5);
    EXPECT_EQ(dialog.m_nUnsigned, 10u);
    EXPECT_EQ(dialog.m_strText, "a b");
    EXPECT_TRUE(dialog.m_bCheck);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FieldExchange, WritingBackTouchesOnlyChangedTexts) {
    dialog.commands.clear();
    dialog.m_nUnsigned = 7;
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0], std::make_pair(UINT(kUnsigned), EN_CHANGE));
    EXPECT_EQ(Text(dialog, kUnsigned), "7");
    // Writing never checks ranges.
    dialog.m_nSigned = 99;
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(Text(dialog, kSigned), "99");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(FieldExchangeParsing, WholeNumbersWithin32Bits) {
    int value = 0;
    EXPECT_TRUE(ParseSignedText("+12", value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(ParseSignedText("-2147483648", value));
    EXPECT_FALSE(ParseSignedText("2147483648", value));
    EXPECT_FALSE(ParseSignedText("1 2", value));
    EXPECT_FALSE(ParseSignedText("-", value));
    EXPECT_FALSE(ParseSignedText("0x10", value));
    UINT unsignedValue = 0;
    EXPECT_TRUE(ParseUnsignedText("4294967295", unsignedValue));
    EXPECT_FALSE(ParseUnsignedText("4294967296", unsignedValue));
    EXPECT_FALSE(ParseUnsignedText("-0x", unsignedValue));
}

}  // namespace
