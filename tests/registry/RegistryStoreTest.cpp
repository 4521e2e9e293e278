#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

namespace registry {
namespace {

// Writing and reading the text form is checked through the registry's calls,
// which read and write the store's file each time.

const std::string kHeader = "; Tarsel registry store\n";

std::string Chain(size_t depth, const std::string& name) {
    std::string path;
    for (size_t i = 0; i < depth; ++i) path += (i ? "\\" : "") + name;
    return path;
}

TEST(RegistryStore, RefusesTextThatIsNoStoreOrBreaksTheNameLimits) {
    // clang-format off
    const struct { const char* why; std::string text; bool accepted; } cases[] = {
        {"empty", "", true}, {"header only", kHeader, true}, {"no header", "[Key]\n", false},
        {"short dword", kHeader + "[Key]\n\"v\"=dword:12\n", false},
        {"open quote", kHeader + "[Key]\n\"v\"=sz:\"open\n", false},
        {"open section", kHeader + "[Key\n", false},
        {"tab in a key name", kHeader + "[A\tB]\n", false},
        {"odd hex", kHeader + "[Key]\n\"v\"=hex(3):1,2\n", false},
        {"NUL in a key name", kHeader + std::string("[A\0B]\n", 6), false},
        {"empty key name", kHeader + "[A\\\\B]\n", false},
        {"trailing backslash", kHeader + "[A\\]\n", false},
        {"longest key name", kHeader + "[" + std::string(255, 'k') + "]\n", true},
        {"key name too long", kHeader + "[" + std::string(256, 'k') + "]\n", false},
        {"deepest key", kHeader + "[" + Chain(512, "k") + "]\n", true},
        {"key too deep", kHeader + "[" + Chain(513, "k") + "]\n", false},
        {"far too deep", kHeader + "[" + Chain(100000, "k") + "]\n", false},
        {"NUL in a value name", kHeader + "[K]\n\"a\\x00b\"=dword:00000001\n", false},
        {"longest value name", kHeader + "[K]\n\"" + std::string(16383, 'v') + "\"=sz:\"\"\n",
         true},
        {"value name too long", kHeader + "[K]\n\"" + std::string(16384, 'v') + "\"=sz:\"\"\n",
         false}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Parse(c.text) != nullptr, c.accepted) << c.why;
}

TEST(RegistryStore, TheDeepestStoreRoundTripsAndAnyDepthIsFreedWithoutRecursion) {
    const std::string text =
        kHeader + "[" + Chain(512, std::string(255, 'k')) + "]\n\"v\"=sz:\"x\"\n";
    const std::unique_ptr<Key> root = Parse(text);
    ASSERT_TRUE(root);
    const std::string written = Serialize(*root);
    const std::unique_ptr<Key> again = Parse(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(Serialize(*again), written);
    EXPECT_TRUE(FindKey(*again, std::vector<std::string>(512, std::string(255, 'K'))));

    // Far deeper than any stack would take one frame a level.
    auto top = std::make_unique<Key>();
    Key* key = top.get();
    for (int i = 0; i < 1000000; ++i) {
        auto sub = std::make_unique<Key>();
        Key* next = sub.get();
        key->subkeys.emplace("k", std::move(sub));
        key = next;
    }
    top.reset();
}

}  // namespace
}  // namespace registry
