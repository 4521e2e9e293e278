#include <gtest/gtest.h>

#include "platform/automation/ComPtr.h"
#include "platform/automation/Guid.h"

namespace {

TEST(Guid, ParsesAndFormatsTheRegistryFormAndRejectsMalformedText) {
    const char* text = "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}";
    const auto guid = GuidFromString("{0aa2bbba-e774-4d4c-8f18-3082f0e53d45}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(std::tuple(guid->Data1, guid->Data2, guid->Data3, guid->Data4[0], guid->Data4[7]),
              std::tuple(0x0AA2BBBAu, 0xE774, 0x4D4C, 0x8F, 0x45));
    EXPECT_EQ(GuidToString(*guid), text);  // formatted upper case
    for (const char* bad :
         {"", "0AA2BBBA-E774-4D4C-8F18-3082F0E53D45", "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D4}",
          "{0AA2BBBA+E774-4D4C-8F18-3082F0E53D45}", "{0AA2BBBG-E774-4D4C-8F18-3082F0E53D45}"}) {
        EXPECT_FALSE(GuidFromString(bad)) << bad;
    }
}

TEST(Bstr, KeepsItsLengthAndEmbeddedZerosAndConvertsNarrowUtf8BothWays) {
    const OLECHAR text[] = {u'a', 0, u'b'};
    const auto s = ScopedBstr::Adopt(SysAllocStringLen(text, 3));
    EXPECT_EQ((std::tuple{SysStringLen(s.Get()), s.Get()[2]}), (std::tuple{3u, u'b'}));
    EXPECT_EQ(s.Get()[3], 0);  // terminated
    EXPECT_EQ(NarrowFromBstr(nullptr), "");
    for (const char* narrow : {"Tools|", "Grüße", "€ and 𝄞", ""}) {
        EXPECT_EQ(ScopedBstr(narrow).Narrow(), narrow);
    }
    EXPECT_EQ(WideFromNarrow("𝄞").size(), 2u);  // a surrogate pair
    // Bytes that are not UTF-8 become replacement characters instead of being dropped.
    EXPECT_EQ(WideFromNarrow("a\xFFz"), u"a\uFFFDz");
}

}  // namespace
