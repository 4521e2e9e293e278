#include "platform/com/VersionInfo.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Header {
    char magic[8];
    DWORD stringBytes;
    VS_FIXEDFILEINFO fixed;
};

template <class T>
bool ReadAt(std::ifstream& in, uint64_t offset, T& value) {
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(&value), sizeof value);
    return bool(in);
}

// The bytes of the version section of an ELF64 file, empty when there is none.
std::vector<char> ReadVersionSection(LPCSTR fileName) {
    if (!fileName) return {};
    std::ifstream in(fileName, std::ios::binary);
    Elf64_Ehdr elf{};
    if (!in || !ReadAt(in, 0, elf)) return {};
    if (std::memcmp(elf.e_ident, ELFMAG, SELFMAG) != 0 || elf.e_ident[EI_CLASS] != ELFCLASS64 ||
        elf.e_shentsize != sizeof(Elf64_Shdr) || elf.e_shstrndx >= elf.e_shnum) {
        return {};
    }
    Elf64_Shdr names{};
    if (!ReadAt(in, elf.e_shoff + uint64_t(elf.e_shstrndx) * sizeof(Elf64_Shdr), names)) return {};
    constexpr std::string_view wanted = TINTORA_VERSION_SECTION;
    for (unsigned i = 0; i < elf.e_shnum; ++i) {
        Elf64_Shdr section{};
        if (!ReadAt(in, elf.e_shoff + uint64_t(i) * sizeof(Elf64_Shdr), section)) return {};
        if (section.sh_type == SHT_NOBITS || section.sh_name >= names.sh_size) continue;
        char name[sizeof TINTORA_VERSION_SECTION + 1] = {};
        in.seekg(std::streamoff(names.sh_offset + section.sh_name));
        in.read(name, sizeof name - 1);
        if (!in || std::string_view(name) != wanted) continue;
        if (section.sh_size < sizeof(Header) || section.sh_size > (1u << 20)) return {};
        std::vector<char> bytes(section.sh_size);
        in.seekg(std::streamoff(section.sh_offset));
        in.read(bytes.data(), std::streamsize(bytes.size()));
        if (!in) return {};
        Header header;
        std::memcpy(&header, bytes.data(), sizeof header);
        if (std::memcmp(header.magic, kVersionMagic, sizeof kVersionMagic) != 0 ||
            header.fixed.dwSignature != VS_FFI_SIGNATURE ||
            header.stringBytes > bytes.size() - sizeof(Header)) {
            return {};
        }
        return bytes;
    }
    return {};
}

}  // namespace

DWORD GetFileVersionInfoSize(LPCSTR fileName, DWORD* handle) {
    if (handle) *handle = 0;
    return DWORD(ReadVersionSection(fileName).size());
}

BOOL GetFileVersionInfo(LPCSTR fileName, DWORD, DWORD size, void* data) {
    const std::vector<char> bytes = ReadVersionSection(fileName);
    if (bytes.empty() || !data || size < sizeof(Header)) return FALSE;
    std::memcpy(data, bytes.data(), std::min<size_t>(size, bytes.size()));
    // A shortened copy keeps only the strings that fit whole.
    if (size < bytes.size()) {
        auto* header = static_cast<Header*>(data);
        header->stringBytes = DWORD(std::min<size_t>(header->stringBytes, size - sizeof(Header)));
    }
    return TRUE;
}

BOOL VerQueryValue(const void* block, LPCSTR subBlock, void** buffer, UINT* length) {
    if (!block || !subBlock || !buffer || !length) return FALSE;
    auto* header = static_cast<const Header*>(block);
    if (std::memcmp(header->magic, kVersionMagic, sizeof kVersionMagic) != 0) return FALSE;
    std::string_view path = subBlock;
    if (path == "\\") {
        *buffer = const_cast<VS_FIXEDFILEINFO*>(&header->fixed);
        *length = sizeof(VS_FIXEDFILEINFO);
        return TRUE;
    }
    if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    const char* strings = reinterpret_cast<const char*>(header + 1);
    const char* end = strings + header->stringBytes;
    for (const char* p = strings; p < end;) {
        const char* keyEnd = static_cast<const char*>(std::memchr(p, '\0', size_t(end - p)));
        if (!keyEnd || keyEnd + 1 >= end) break;
        const char* value = keyEnd + 1;
        const char* valueEnd =
            static_cast<const char*>(std::memchr(value, '\0', size_t(end - value)));
        if (!valueEnd) break;
        std::string_view key(p, size_t(keyEnd - p));
        if (!key.empty() && key.front() == '\\') key.remove_prefix(1);
        if (key.size() == path.size() &&
            std::equal(key.begin(), key.end(), path.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            *buffer = const_cast<char*>(value);
            *length = UINT(valueEnd - value + 1);
            return TRUE;
        }
        p = valueEnd + 1;
    }
    *buffer = nullptr;
    *length = 0;
    return FALSE;
}
