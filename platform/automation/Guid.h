#pragma once
// GUIDs with the registry's text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/automation/Types.h"

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using REFGUID = const GUID&;

namespace guid_detail {
constexpr std::optional<uint64_t> ParseHex(std::string_view digits) {
    uint64_t value = 0;
    for (char c : digits) {
        int nibble;
        if (c >= '0' && c <= '9') {
            nibble = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            nibble = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            nibble = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value << 4 | static_cast<uint64_t>(nibble);
    }
    return value;
}
}  // namespace guid_detail

// Parses the braced text form; hex digits in either case. Nothing else is accepted.
constexpr std::optional<GUID> GuidFromString(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    auto d1 = guid_detail::ParseHex(text.substr(1, 8));
    auto d2 = guid_detail::ParseHex(text.substr(10, 4));
    auto d3 = guid_detail::ParseHex(text.substr(15, 4));
    auto d4a = guid_detail::ParseHex(text.substr(20, 4));
    auto d4b = guid_detail::ParseHex(text.substr(25, 12));
    if (!d1 || !d2 || !d3 || !d4a || !d4b) return std::nullopt;
    GUID g;
    g.Data1 = static_cast<uint32_t>(*d1);
    g.Data2 = static_cast<uint16_t>(*d2);
    g.Data3 = static_cast<uint16_t>(*d3);
    g.Data4[0] = static_cast<uint8_t>(*d4a >> 8);
    g.Data4[1] = static_cast<uint8_t>(*d4a);
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<uint8_t>(*d4b >> (8 * (5 - i)));
    return g;
}

// For literals: a malformed one fails to compile where evaluated as a constant.
constexpr GUID MakeGuid(std::string_view text) {
    auto g = GuidFromString(text);
    if (!g) throw std::invalid_argument("malformed GUID literal");
    return *g;
}

// Formats in upper case with braces, as the registry stores class identifiers.
std::string GuidToString(const GUID& guid);

inline constexpr GUID GUID_NULL{};
inline constexpr IID IID_NULL{};
inline constexpr IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
inline constexpr IID IID_IDispatch = MakeGuid("{00020400-0000-0000-C000-000000000046}");
