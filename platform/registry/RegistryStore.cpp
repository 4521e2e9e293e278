#include "platform/registry/RegistryStore.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <utility>

namespace registry {

namespace {

constexpr uint32_t kSz = 1;
constexpr uint32_t kExpandSz = 2;
constexpr uint32_t kDword = 4;
constexpr const char* kHeader = "; Tarsel registry store";

int Lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
                    out += hex;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at text[pos]; pos ends after the closing quote.
std::optional<std::string> Unquote(const std::string& text, size_t& pos) {
    if (pos >= text.size() || text[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= text.size()) return std::nullopt;
        switch (text[pos]) {
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                if (pos + 2 >= text.size()) return std::nullopt;
                const int high = HexDigit(text[pos + 1]);
                const int low = HexDigit(text[pos + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                out += static_cast<char>(high * 16 + low);
                pos += 2;
                break;
            }
            default: return std::nullopt;
        }
    }
    return std::nullopt;
}

// A string value is written as text when it is exactly one NUL-terminated string.
bool IsPlainString(const Value& value) {
    if (value.type != kSz && value.type != kExpandSz) return false;
    if (value.data.empty() || value.data.back() != 0) return false;
    for (size_t i = 0; i + 1 < value.data.size(); ++i) {
        if (value.data[i] == 0) return false;
    }
    return true;
}

void WriteValue(std::ostringstream& out, const Value& value) {
    out << (value.name.empty() ? std::string("@") : Quote(value.name)) << '=';
    if (value.type == kDword && value.data.size() == 4) {
        const uint32_t word = uint32_t(value.data[0]) | uint32_t(value.data[1]) << 8 |
                              uint32_t(value.data[2]) << 16 | uint32_t(value.data[3]) << 24;
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08x", word);
        out << "dword:" << hex;
    } else if (IsPlainString(value)) {
        out << (value.type == kSz ? "sz:" : "expand_sz:")
            << Quote(std::string(value.data.begin(), value.data.end() - 1));
    } else {
        out << "hex(" << value.type << "):";
        for (size_t i = 0; i < value.data.size(); ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x", value.data[i]);
            out << (i ? "," : "") << hex;
        }
    }
    out << '\n';
}

// Depth first, parents before children, subkeys in name order; a stack
// instead of recursion, however deep the store.
void WriteKeys(std::ostringstream& out, const Key& root) {
    std::vector<std::pair<const Key*, std::string>> pending{{&root, std::string()}};
    while (!pending.empty()) {
        auto [key, path] = std::move(pending.back());
        pending.pop_back();
        out << '[' << path << "]\n";
        for (const Value& value : key->values) WriteValue(out, value);
        out << '\n';
        for (auto it = key->subkeys.rbegin(); it != key->subkeys.rend(); ++it) {
            pending.emplace_back(it->second.get(), JoinPath(path, it->second->name));
        }
    }
}

// The key a section header names, created with every key above it; null when
// a name or the depth is beyond the limits.
Key* SectionKey(Key& root, const std::string& path) {
    Key* current = &root;
    size_t depth = 0;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(start, end - start);
        if (!ValidKeyName(name) || ++depth > kMaxKeyDepth) return nullptr;
        Key* next = current->FindSubkey(name);
        if (!next) {
            auto created = std::make_unique<Key>();
            created->name = name;
            next = created.get();
            current->subkeys.emplace(name, std::move(created));
        }
        current = next;
        start = end + 1;
        // A trailing or doubled backslash would name an empty key.
        if (end != path.size() && start == path.size()) return nullptr;
    }
    return current;
}

std::optional<Value> ParseValue(const std::string& line) {
    Value value;
    size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else {
        auto name = Unquote(line, pos);
        if (!name || name->empty() || !ValidValueName(*name)) return std::nullopt;
        value.name = *name;
    }
    if (pos >= line.size() || line[pos] != '=') return std::nullopt;
    const std::string data = line.substr(pos + 1);
    auto startsWith = [&](const char* prefix) { return data.rfind(prefix, 0) == 0; };
    if (startsWith("dword:")) {
        const std::string digits = data.substr(6);
        if (digits.size() != 8) return std::nullopt;
        uint32_t word = 0;
        for (const char c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return std::nullopt;
            word = word << 4 | uint32_t(d);
        }
        value.type = kDword;
        value.data = {uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16), uint8_t(word >> 24)};
        return value;
    }
    if (startsWith("sz:") || startsWith("expand_sz:")) {
        const bool expand = startsWith("expand_sz:");
        size_t start = expand ? 10 : 3;
        auto text = Unquote(data, start);
        if (!text || start != data.size()) return std::nullopt;
        value.type = expand ? kExpandSz : kSz;
        value.data.assign(text->begin(), text->end());
        value.data.push_back(0);
        return value;
    }
    if (startsWith("hex(")) {
        const size_t close = data.find("):");
        if (close == std::string::npos) return std::nullopt;
        try {
            size_t used = 0;
            const unsigned long type = std::stoul(data.substr(4, close - 4), &used);
            if (used != close - 4 || type > 0xFFFFFFFFul) return std::nullopt;
            value.type = uint32_t(type);
        } catch (const std::exception&) {
            return std::nullopt;
        }
        const std::string bytes = data.substr(close + 2);
        for (size_t i = 0; i < bytes.size();) {
            if (i + 2 > bytes.size()) return std::nullopt;
            const int high = HexDigit(bytes[i]);
            const int low = HexDigit(bytes[i + 1]);
            if (high < 0 || low < 0) return std::nullopt;
            value.data.push_back(uint8_t(high * 16 + low));
            i += 2;
            if (i < bytes.size()) {
                if (bytes[i] != ',') return std::nullopt;
                ++i;
                if (i == bytes.size()) return std::nullopt;
            }
        }
        return value;
    }
    return std::nullopt;
}

}  // namespace

bool ValidKeyName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxKeyNameLength &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

bool ValidValueName(const std::string& name) {
    return name.size() <= kMaxValueNameLength && name.find('\0') == std::string::npos;
}

Key::~Key() {
    std::vector<std::unique_ptr<Key>> doomed;
    for (auto& [name, subkey] : subkeys) doomed.push_back(std::move(subkey));
    subkeys.clear();
    while (!doomed.empty()) {
        std::unique_ptr<Key> key = std::move(doomed.back());
        doomed.pop_back();
        for (auto& [name, subkey] : key->subkeys) doomed.push_back(std::move(subkey));
        key->subkeys.clear();
    }
}

bool NameLess::operator()(const std::string& a, const std::string& b) const {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = Lower(a[i]);
        const int cb = Lower(b[i]);
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

Value* Key::FindValue(const std::string& valueName) {
    for (Value& value : values) {
        if (SameName(value.name, valueName)) return &value;
    }
    return nullptr;
}

Key* Key::FindSubkey(const std::string& keyName) {
    const auto it = subkeys.find(keyName);
    return it == subkeys.end() ? nullptr : it->second.get();
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

std::string JoinPath(const std::string& parent, const std::string& child) {
    if (parent.empty()) return child;
    if (child.empty()) return parent;
    return parent + '\\' + child;
}

Key* FindKey(Key& root, const std::vector<std::string>& path) {
    Key* key = &root;
    for (const std::string& name : path) {
        key = key->FindSubkey(name);
        if (!key) return nullptr;
    }
    return key;
}

std::string Serialize(const Key& root) {
    std::ostringstream out;
    out << kHeader << "\n\n";
    WriteKeys(out, root);
    return out.str();
}

std::unique_ptr<Key> Parse(const std::string& text) {
    auto root = std::make_unique<Key>();
    if (text.empty()) return root;
    Key* current = root.get();
    std::istringstream in(text);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first && line != kHeader) return nullptr;
        first = false;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return nullptr;
            current = SectionKey(*root, line.substr(1, line.size() - 2));
            if (!current) return nullptr;
            continue;
        }
        auto value = ParseValue(line);
        if (!value) return nullptr;
        if (Value* existing = current->FindValue(value->name)) {
            *existing = std::move(*value);
        } else {
            current->values.push_back(std::move(*value));
        }
    }
    return root;
}

}  // namespace registry
