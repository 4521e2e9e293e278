#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

namespace registry {
namespace {

TEST(RegistryStore, TextFormRoundTripsEveryKindOfValueAndEmptyKeys) {
    Key root;
    auto add = [](Key& parent, const std::string& name) -> Key& {
        auto key = std::make_unique<Key>();
        key->name = name;
        Key& ref = *key;
        parent.subkeys.emplace(name, std::move(key));
        return ref;
    };
    Key& software = add(root, "Software");
    Key& tintora = add(add(add(software, "Pellux"), "Tarsel"), "Tintora");
    add(software, "Empty");
    tintora.values.push_back({"CurColor", 4, {0xff, 0, 0, 0xff}});
    tintora.values.push_back({"", 1, {'a', '\\', '"', '\n', 0}});
    tintora.values.push_back({"odd \"name\"", 3, {1, 2, 0xfe}});
    tintora.values.push_back({"two strings", 1, {'a', 0, 'b', 0}});
    tintora.values.push_back({"empty", 3, {}});

    const std::string text = Serialize(root);
    auto parsed = Parse(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(Serialize(*parsed), text);
    Key* read = FindKey(*parsed, SplitPath("software\\PELLUX\\tarsel\\Tintora"));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->values.size(), 5u);
    EXPECT_EQ(read->values[1].data, (std::vector<uint8_t>{'a', '\\', '"', '\n', 0}));
    EXPECT_EQ(read->values[3].data, (std::vector<uint8_t>{'a', 0, 'b', 0}));
    EXPECT_TRUE(FindKey(*parsed, {"Software", "Empty"}));
}

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
