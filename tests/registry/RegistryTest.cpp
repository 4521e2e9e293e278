#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TempDir.h"

namespace {

constexpr const char* kTintoraKey = "Software\\Pellux\\Tarsel\\Tintora";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("TARSEL_REGISTRY", folder.Path().c_str(), 1); }
    void TearDown() override { unsetenv("TARSEL_REGISTRY"); }

    HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }
    static void SetDword(HKEY key, const char* name, DWORD value) {
        ASSERT_EQ(RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
                  ERROR_SUCCESS);
    }
    static LSTATUS QueryDword(HKEY key, const char* name, DWORD& value) {
        DWORD size = sizeof value;
        DWORD type = 0;
        const LSTATUS status =
            RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        if (status == ERROR_SUCCESS) {
            EXPECT_EQ(type, REG_DWORD);
        }
        return status;
    }
    std::string FileText(const char* name) const {
        std::ifstream in(folder.Path() / name);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir folder;
};

TEST_F(RegistryTest, CreateReportsWhetherTheKeyExistedAndMakesEveryLevel) {
    DWORD disposition = 0;
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey, &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);

    key = Create(HKEY_CURRENT_USER, kTintoraKey, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);

    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Pellux", 0, KEY_READ, &parent),
              ERROR_SUCCESS);
    char name[64];
    EXPECT_EQ(RegEnumKey(parent, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Tarsel");
    EXPECT_EQ(RegEnumKey(parent, 1, name, sizeof name), ERROR_NO_MORE_ITEMS);
    RegCloseKey(parent);
}

TEST_F(RegistryTest, OpeningAMissingKeyFailsWithoutCreatingIt) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "HKEY_CURRENT_USER.reg"));
}

TEST_F(RegistryTest, DwordValuesSurviveInTheFileAndReadBackThroughAFreshHandle) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    SetDword(key, "CurColor", 0xFF0000FFu);
    RegCloseKey(key);
    EXPECT_NE(FileText("HKEY_CURRENT_USER.reg").find("\"CurColor\"=dword:ff0000ff"),
              std::string::npos);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, "curcolor", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0xFF0000FFu);
    EXPECT_EQ(QueryDword(key, "CustomColor0", value), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ChangesMadeByAnotherWriterAreSeenByAnOpenHandle) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    // Another process replaces the file while the handle is open.
    std::ofstream(folder.Path() / "HKEY_CURRENT_USER.reg")
        << "[Software\\Pellux\\Tarsel\\Tintora]\n\"CurColor\"=dword:00123456\n";
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, "CurColor", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x123456u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, StringsKeepTheirBytesAndTheDefaultValueHasNoName) {
    HKEY key = Create(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InprocServer32");
    const std::string path = "C:\\Tarsel\\VOKSLETRASTEL.OCX \"quoted\"\n";
    ASSERT_EQ(RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                            DWORD(path.size() + 1)),
              ERROR_SUCCESS);
    const std::string model = "Apartment";
    ASSERT_EQ(RegSetValueEx(key, "ThreadingModel", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(model.c_str()), DWORD(model.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "clsid\\{x}\\inprocserver32", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD size = 0;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, path.size() + 1);
    char small[4];
    DWORD smallSize = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                              &smallSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, path.size() + 1);
    std::string read(size, '?');
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(read.data()), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read, path + '\0');
    RegCloseKey(key);
    // The two roots are separate stores.
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "CLSID", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, EnumeratesValuesInTheOrderFirstSet) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    SetDword(key, "b", 2);
    SetDword(key, "a", 1);
    SetDword(key, "B", 3);  // same value, first spelling stays
    char name[16];
    DWORD nameSize = sizeof name;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr,
                           reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "b");
    EXPECT_EQ(nameSize, 1u);
    EXPECT_EQ(value, 3u);
    nameSize = sizeof name;
    ASSERT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "a");
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumValue(key, 2, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteKeyRefusesAKeyWithSubkeysAndDeleteTreeTakesEverything) {
    RegCloseKey(Create(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1\\CLSID"));
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1\\CLSID"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_FILE_NOT_FOUND);

    RegCloseKey(Create(HKEY_CLASSES_ROOT, "A\\B\\C"));
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "a"), ERROR_SUCCESS);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "A", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AHandleToADeletedKeyReportsIt) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, kTintoraKey), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, "CurColor", value), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, DeleteValue) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    SetDword(key, "CurColor", 5);
    EXPECT_EQ(RegDeleteValue(key, "CURCOLOR"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "CurColor"), ERROR_FILE_NOT_FOUND);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, "CurColor", value), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, AReadOnlyHandleCannotWrite) {
    RegCloseKey(Create(HKEY_CURRENT_USER, kTintoraKey));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const DWORD value = 1;
    EXPECT_EQ(RegSetValueEx(key, "CurColor", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST_F(RegistryTest, WritesLeaveNoTemporaryFilesBehind) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    for (DWORD i = 0; i < 16; ++i) SetDword(key, ("CustomColor" + std::to_string(i)).c_str(), i);
    RegCloseKey(key);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_EQ(entry.path().filename(), "HKEY_CURRENT_USER.reg");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(RegistryTest, AFileThatIsNotAStoreIsReportedAndLeftAlone) {
    const std::string garbage = "[Software]\nthis is not a value\n";
    std::ofstream(folder.Path() / "HKEY_CURRENT_USER.reg") << garbage;
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_BADDB);
    EXPECT_EQ(FileText("HKEY_CURRENT_USER.reg"), garbage);
}

TEST_F(RegistryTest, TheFolderComesFromTheEnvironment) {
    EXPECT_EQ(RegistryFolder(), folder.Path().string());
    unsetenv("TARSEL_REGISTRY");
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_CONFIG_HOME", "/config/here", 1);
    EXPECT_EQ(RegistryFolder(), "/config/here/tarsel-registry");
    if (previous) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
