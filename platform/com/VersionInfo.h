#pragma once
// Version information of a module file. A module carries it as one block in
// the ELF section TINTORA_VERSION_SECTION: a fixed part with the numeric
// versions and flags, then "path\0value\0" string pairs whose paths are those
// VerQueryValue takes ("\\StringFileInfo\\040904b0\\FileVersion"). Readers
// take it from the file itself, so a module need not be loaded to be asked.

#include <cstddef>

#include "platform/automation/Types.h"

#define TINTORA_VERSION_SECTION "tintora_version"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr DWORD VS_FF_SPECIALBUILD = 0x00000020;
constexpr DWORD VOS__WINDOWS32 = 0x00000004;
constexpr DWORD VFT_DLL = 0x00000002;

constexpr DWORD MakeVersionWord(WORD high, WORD low) { return DWORD(high) << 16 | low; }

// Prefixes one string value's path: VERSION_STRING("040904b0", "FileVersion", "8, 0, 0, 2").
// The parts stay separate literals so that no escape runs into the next text.
#define VERSION_STRING(block, name, value) "\\StringFileInfo\\" block "\\" name "\0" value "\0"

template <size_t N>
struct VersionResource {
    char magic[8];
    DWORD stringBytes;
    VS_FIXEDFILEINFO fixed;
    char strings[N];
};

inline constexpr char kVersionMagic[8] = "VERINFO";

template <size_t N>
constexpr VersionResource<N> MakeVersionResource(const VS_FIXEDFILEINFO& fixed,
                                                 const char (&strings)[N]) {
    VersionResource<N> resource{};
    for (size_t i = 0; i < sizeof kVersionMagic; ++i) resource.magic[i] = kVersionMagic[i];
    resource.stringBytes = DWORD(N);
    resource.fixed = fixed;
    for (size_t i = 0; i < N; ++i) resource.strings[i] = strings[i];
    return resource;
}

// The size of the file's version information, or 0 when it has none (or cannot be read).
DWORD GetFileVersionInfoSize(LPCSTR fileName, DWORD* handle);
// Copies the version information into data (at most size bytes); FALSE when there is none.
BOOL GetFileVersionInfo(LPCSTR fileName, DWORD handle, DWORD size, void* data);
// "\\" gives the VS_FIXEDFILEINFO; a string path gives the text, with length the
// number of characters including the terminating null. The pointer points into block.
BOOL VerQueryValue(const void* block, LPCSTR subBlock, void** buffer, UINT* length);
