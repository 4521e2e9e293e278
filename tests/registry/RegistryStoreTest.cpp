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

}  // namespace
}  // namespace registry
