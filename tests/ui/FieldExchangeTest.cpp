#include "platform/ui/DataExchange.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/DialogDriver.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/ui/ProbeDialog.h"

namespace {

using namespace probe;
using namespace ui_test;

TEST(FieldExchange, TextThatIsNoNumberLeavesTheMemberAsItWas) {
    RecordingPrompts prompts;
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    Type(dialog, kSigned, "1x");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nSigned, 1);
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer.");
    EXPECT_EQ(dialog.GetFocusedId(), kSigned);

    Type(dialog, kSigned, "0");
    Type(dialog, kUnsigned, "-1");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nUnsigned, 2u);
    EXPECT_EQ(prompts.TakeOne(), "Please enter a positive integer.");
}

TEST(FieldExchangeParsing, WholeNumbersWithin32Bits) {
    int value = 0;
    for (const auto& [text, expected] :
         {std::pair{"+12", 12}, std::pair{"-2147483648", INT_MIN}, std::pair{" 3 ", 3}}) {
        EXPECT_TRUE(ParseSignedText(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"2147483648", "1 2", "-", "0x10", ""}) {
        EXPECT_FALSE(ParseSignedText(text, value)) << text;
    }
    UINT unsignedValue = 0;
    EXPECT_TRUE(ParseUnsignedText("4294967295", unsignedValue));
    EXPECT_EQ(unsignedValue, 4294967295u);
    for (const char* text : {"4294967296", "-1", "-0x"}) {
        EXPECT_FALSE(ParseUnsignedText(text, unsignedValue)) << text;
    }
}

}  // namespace
