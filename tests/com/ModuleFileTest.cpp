#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>

#include "platform/com/Module.h"
#include "platform/com/VersionInfo.h"
#include "tests/com/ComTestSupport.h"

namespace {

constexpr VS_FIXEDFILEINFO kFixed{VS_FFI_SIGNATURE,
                                  VS_FFI_STRUCVERSION,
                                  MakeVersionWord(3, 1),
                                  MakeVersionWord(4, 1),
                                  MakeVersionWord(3, 0),
                                  MakeVersionWord(0, 0),
                                  VS_FFI_FILEFLAGSMASK,
                                  0,
                                  VOS__WINDOWS32,
                                  VFT_DLL,
                                  0,
                                  0,
                                  0};
constexpr char kStrings[] = VERSION_STRING("040904b0", "FileVersion", "3, 1, 4, 1")
    VERSION_STRING("040904b0", "ProductName", "Test Program");

// This program carries version information of its own.
[[gnu::section(TINTORA_VERSION_SECTION), gnu::used]] constexpr auto kVersion =
    MakeVersionResource(kFixed, kStrings);

std::string SelfPath() {
    char path[PATH_MAX];
    return realpath("/proc/self/exe", path) ? path : "";
}

std::string Query(const std::vector<char>& block, const char* path) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValue(block.data(), path, &value, &length)) return "<none>";
    EXPECT_EQ(length, std::strlen(static_cast<char*>(value)) + 1);
    return static_cast<char*>(value);
}

}  // namespace

TEST(VersionInfoTest, ReadsTheStringsAndFixedPartFromTheFileAsFarAsTheyFit) {
    const std::string self = SelfPath();
    DWORD handle = 99;
    const DWORD size = GetFileVersionInfoSize(self.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(size && GetFileVersionInfo(self.c_str(), handle, size, block.data()));
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\FileVersion"), "3, 1, 4, 1");
    EXPECT_EQ(Query(block, "StringFileInfo\\040904b0\\ProductName"), "Test Program");
    EXPECT_EQ(Query(block, "\\stringfileinfo\\040904B0\\productname"), "Test Program");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\CompanyName"), "<none>");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0"), "<none>");

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValue(block.data(), "\\", &fixed, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* info = static_cast<VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(
        std::tie(info->dwSignature, info->dwFileVersionMS, info->dwFileVersionLS, info->dwFileType),
        std::make_tuple(VS_FFI_SIGNATURE, 0x00030001u, 0x00040001u, VFT_DLL));

    // A buffer with room for the fixed part and the first pair only keeps that pair.
    const DWORD firstPair =
        DWORD(sizeof VERSION_STRING("040904b0", "FileVersion", "3, 1, 4, 1") - 1);
    block.assign(size - DWORD(sizeof kStrings) + firstPair, 0);
    ASSERT_TRUE(GetFileVersionInfo(self.c_str(), handle, DWORD(block.size()), block.data()));
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\FileVersion"), "3, 1, 4, 1");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\ProductName"), "<none>");
}

// The test server is a module without version information; the other files are no modules.
TEST(VersionInfoTest, FilesWithoutVersionInformationHaveNoneAndNoModulesDoNotLoad) {
    TempDir folder;
    const std::string text = folder.File("plain.so");
    std::ofstream(text) << "not a module";
    const std::string truncated = folder.File("truncated.so");
    std::ofstream(truncated, std::ios::binary) << "\x7f"
                                                  "ELF\x02\x01\x01";
    char buffer[64];
    for (const std::string& file : {kServerFile, text, truncated, folder.File("missing.so")}) {
        SCOPED_TRACE(file);
        DWORD handle = 0;
        EXPECT_EQ(GetFileVersionInfoSize(file.c_str(), &handle), 0u);
        EXPECT_FALSE(GetFileVersionInfo(file.c_str(), 0, sizeof buffer, buffer));
        if (file == kServerFile) continue;
        EXPECT_EQ(LoadLibrary(file.c_str()), nullptr);
        EXPECT_FALSE(LastLoadError().empty());
    }
    EXPECT_EQ(GetFileVersionInfoSize(nullptr, nullptr), 0u);
    EXPECT_EQ(LoadLibrary(""), nullptr);
}

TEST(ModuleTest, AnAddressNamesTheFileOfItsModule) {
    const HMODULE self = ModuleFromAddress(reinterpret_cast<const void*>(&SelfPath));
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(ModuleFileName(self), SelfPath());

    char path[PATH_MAX];
    const DWORD length = GetModuleFileName(self, path, sizeof path);
    EXPECT_EQ(length, SelfPath().size());
    EXPECT_STREQ(path, SelfPath().c_str());

    // A path that does not fit is cut and the buffer size returned.
    char shortPath[6];
    EXPECT_EQ(GetModuleFileName(self, shortPath, sizeof shortPath), 6u);
    EXPECT_EQ(std::string(shortPath), SelfPath().substr(0, 5));

    EXPECT_EQ(GetModuleFileName(nullptr, path, sizeof path), 0u);
    int local = 0;
    EXPECT_EQ(ModuleFromAddress(&local), nullptr);  // the stack belongs to no module
}

TEST(ModuleTest, LoadsAModuleOnceAndCountsItsLoads) {
    HMODULE first = LoadLibrary(kServerFile.c_str());
    ASSERT_NE(first, nullptr) << LastLoadError();
    HMODULE second = LoadLibrary(kServerFile.c_str());
    EXPECT_EQ(first, second);
    char path[PATH_MAX];
    EXPECT_STREQ(realpath(kServerFile.c_str(), path), ModuleFileName(first).c_str());
    void* entry = GetProcAddress(first, "DllGetClassObject");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(ModuleFromAddress(entry), first);
    EXPECT_EQ(GetProcAddress(first, "NoSuchFunction"), nullptr);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_NE(GetProcAddress(first, "DllGetClassObject"), nullptr);  // still loaded once
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetProcAddress(first, "DllGetClassObject"), nullptr);
}
