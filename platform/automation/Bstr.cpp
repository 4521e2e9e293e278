#include "platform/automation/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Layout: a 32-bit byte count, then the characters, then a terminating zero.
constexpr size_t kPrefix = sizeof(uint32_t);

uint32_t& LengthPrefix(BSTR text) {
    return *reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(text) - kPrefix);
}

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

}  // namespace

BSTR SysAllocStringLen(LPCOLESTR text, UINT length) {
    if (length > (std::numeric_limits<uint32_t>::max() - kPrefix) / sizeof(OLECHAR) - 1) {
        return nullptr;
    }
    const size_t bytes = kPrefix + (size_t{length} + 1) * sizeof(OLECHAR);
    // The prefix keeps the characters aligned for OLECHAR.
    auto* block = static_cast<char*>(std::malloc(bytes));
    if (!block) return nullptr;
    BSTR result = reinterpret_cast<BSTR>(block + kPrefix);
    LengthPrefix(result) = static_cast<uint32_t>(length * sizeof(OLECHAR));
    if (text) {
        std::memcpy(result, text, length * sizeof(OLECHAR));
    } else {
        std::memset(result, 0, length * sizeof(OLECHAR));
    }
    result[length] = 0;
    return result;
}

void SysFreeString(BSTR text) {
    if (text) std::free(reinterpret_cast<char*>(text) - kPrefix);
}

UINT SysStringLen(BSTR text) { return text ? LengthPrefix(text) / sizeof(OLECHAR) : 0; }

std::u16string WideFromNarrow(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t len = Utf8SequenceLength(lead);
        if (len == 0 || i + len > text.size()) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? lead : lead & (0x7F >> len);
        bool valid = true;
        for (size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = cp << 6 | (cont & 0x3F);
        }
        if (!valid || cp > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string NarrowFromWide(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

BSTR BstrFromNarrow(std::string_view text) {
    const std::u16string wide = WideFromNarrow(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string NarrowFromBstr(BSTR text) {
    return NarrowFromWide(std::u16string_view(text ? text : u"", SysStringLen(text)));
}
