#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

namespace registry {
namespace {

// Writing and reading the text form is checked through the registry's calls,
// which read and write the store's file each time.

TEST(RegistryStore, RejectsBrokenText) {
    EXPECT_FALSE(Parse("[Key]\n\"v\"=dword:12\n"));
    EXPECT_FALSE(Parse("[Key]\n\"v\"=sz:\"open\n"));
    EXPECT_FALSE(Parse("[Key\n"));
    EXPECT_FALSE(Parse("[Key]\n\"v\"=hex(3):1,2\n"));
    EXPECT_TRUE(Parse("; comment only\n"));
}

TEST(RegistryStore, NamesCompareWithoutCase) {
    EXPECT_TRUE(SameName("CustomColor10", "customcolor10"));
    EXPECT_FALSE(SameName("CustomColor1", "CustomColor10"));
    EXPECT_TRUE(NameLess{}("apple", "Banana"));
    EXPECT_EQ(SplitPath("\\a\\\\b\\"), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace registry
