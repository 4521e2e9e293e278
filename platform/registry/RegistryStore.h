#pragma once
// One root of the registry in memory, and its text form:
//
//   [Software\Pellux\Tarsel\Tintora]
//   "CurColor"=dword:000000ff
//   @=sz:"C:\\path"
//   "Blob"=hex(3):01,02,ff
//
// The file starts with the header line "; Tarsel registry store". Every key
// has its own section, empty ones included, parents before children. Names
// keep the platform's limits, checked on every change and every read, so that
// no store, however it was made, takes a reader or writer deeper or longer
// than that.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace registry {

// Key names: 1 to 255 bytes, no backslash and no control character. Value
// names: at most 16,383 bytes, no NUL. Keys: at most 512 levels below a root.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kMaxKeyDepth = 512;

bool ValidKeyName(const std::string& name);
bool ValidValueName(const std::string& name);

struct Value {
    std::string name;  // empty: the default value
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// Orders key names as the platform does: without regard to ASCII case.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
bool SameName(const std::string& a, const std::string& b);

struct Key {
    Key() = default;
    // Subkeys are freed level by level, not by recursion.
    ~Key();
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    std::string name;
    std::vector<Value> values;  // in the order first set
    std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;

    Value* FindValue(const std::string& valueName);
    Key* FindSubkey(const std::string& keyName);
};

// Splits a subkey path at its backslashes, dropping empty parts.
std::vector<std::string> SplitPath(const std::string& path);
std::string JoinPath(const std::string& parent, const std::string& child);

// Walks down from the root; null when a key on the way is missing.
Key* FindKey(Key& root, const std::vector<std::string>& path);

std::string Serialize(const Key& root);
// Null when the text is not a store: no header, a line that is neither a
// section nor a value, or a name beyond the limits above. Empty text is an
// empty store.
std::unique_ptr<Key> Parse(const std::string& text);

}  // namespace registry
