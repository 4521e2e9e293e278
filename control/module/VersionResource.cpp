// The module's version information, kept in its own section of the module
// file so that it can be read from the file without loading it.

#include "platform/com/VersionInfo.h"

namespace {

constexpr VS_FIXEDFILEINFO kFixed{
    VS_FFI_SIGNATURE,
    VS_FFI_STRUCVERSION,
    MakeVersionWord(8, 0),
    MakeVersionWord(0, 2),
    MakeVersionWord(8, 0),
    MakeVersionWord(0, 2),
    VS_FFI_FILEFLAGSMASK,
    VS_FF_SPECIALBUILD,
    VOS__WINDOWS32,
    VFT_DLL,
    0,
    0,
    0,
};

// clang-format off
constexpr char kStrings[] =
    VERSION_STRING("040904b0", "CompanyName", "Pellux")
    VERSION_STRING("040904b0", "FileDescription", "Pellux Tintora")
    VERSION_STRING("040904b0", "FileVersion", "8, 0, 0, 2")
    VERSION_STRING("040904b0", "InternalName", "Tintora")
    VERSION_STRING("040904b0", "OriginalFilename", "Tintora")
    VERSION_STRING("040904b0", "ProductName", "Pellux Tintora")
    VERSION_STRING("040904b0", "ProductVersion", "8, 0, 0, 2")
    VERSION_STRING("040904b0", "SpecialBuild", "for Tarsel v8.0 RU2 and later");
// clang-format on

[[gnu::section(TINTORA_VERSION_SECTION), gnu::used]] constexpr auto kVersionResource =
    MakeVersionResource(kFixed, kStrings);

}  // namespace
