#include <gtest/gtest.h>

#include "platform/automation/Bstr.h"
#include "platform/automation/Guid.h"

namespace {

TEST(Guid, ParsesAndFormatsTheRegistryFormAndRejectsMalformedText) {
    const char* text = "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}";
    const auto guid = GuidFromString(text);
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->Data1, 0x0AA2BBBAu);
    EXPECT_EQ(guid->Data2, 0xE774);
    EXPECT_EQ(guid->Data3, 0x4D4C);
    EXPECT_EQ(guid->Data4[0], 0x8F);
    EXPECT_EQ(guid->Data4[7], 0x45);
    EXPECT_EQ(GuidToString(*guid), text);
    // Lower case is accepted; formatting is upper case.
    EXPECT_EQ(GuidToString(*GuidFromString("{0aa2bbba-e774-4d4c-8f18-3082f0e53d45}")), text);
    for (const char* bad :
         {"", "0AA2BBBA-E774-4D4C-8F18-3082F0E53D45", "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D4}",
          "{0AA2BBBA+E774-4D4C-8F18-3082F0E53D45}", "{0AA2BBBG-E774-4D4C-8F18-3082F0E53D45}"}) {
        EXPECT_FALSE(GuidFromString(bad)) << bad;
    }
}

TEST(Bstr, KeepsItsLengthAndEmbeddedZerosAndConvertsNarrowUtf8BothWays) {
    const OLECHAR text[] = {u'a', 0, u'b'};
    BSTR s = SysAllocStringLen(text, 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[2], u'b');
    EXPECT_EQ(s[3], 0);  // terminated
    SysFreeString(s);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(NarrowFromBstr(nullptr), "");
    for (const char* narrow : {"Tintora", "Tools|", "Grüße", "€ and 𝄞", ""}) {
        BSTR wide = BstrFromNarrow(narrow);
        EXPECT_EQ(NarrowFromBstr(wide), narrow);
        SysFreeString(wide);
    }
    EXPECT_EQ(WideFromNarrow("𝄞").size(), 2u);  // a surrogate pair
    // Bytes that are not UTF-8 become replacement characters instead of being dropped.
    EXPECT_EQ(WideFromNarrow("a\xFFz"), u"a\uFFFDz");
}

}  // namespace
