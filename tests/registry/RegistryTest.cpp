#include "platform/registry/Registry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "tests/support/OwnRegistry.h"
#include "tests/support/Programs.h"

namespace {

constexpr const char* kTintoraKey = "Software\\Pellux\\Tarsel\\Tintora";

// Every call reads the store's file anew, so each read below also checks what
// the last write left in the file.
class RegistryTest : public ::testing::Test {
protected:
    HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }
    static LSTATUS Set(HKEY key, const char* name, DWORD type, const std::string& data) {
        return RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             DWORD(data.size()));
    }
    static LSTATUS SetDword(HKEY key, const char* name, DWORD value) {
        return Set(key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
    }
    // The outcome, the value's type and its bytes.
    static std::tuple<LSTATUS, DWORD, std::string> Query(HKEY key, const char* name) {
        DWORD type = 0, size = 0;
        LSTATUS status = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
        std::string data(size, '?');
        if (status == ERROR_SUCCESS) {
            status = RegQueryValueEx(key, name, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(data.data()), &size);
        }
        return {status, type, data};
    }

    OwnRegistry registry;
    const TempDir& folder = registry.folder;
};

TEST_F(RegistryTest, CreateMakesEveryLevelOnceAndValuesPersistForAFreshHandle) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "HKEY_CURRENT_USER.reg"));
    DWORD disposition = 0;
    RegCloseKey(Create(HKEY_CURRENT_USER, kTintoraKey, &disposition));
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    key = Create(HKEY_CURRENT_USER, kTintoraKey, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(SetDword(key, "CurColor", 0xFF0000FFu), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(
        ReadFileText(folder.File("HKEY_CURRENT_USER.reg")).find("\"CurColor\"=dword:ff0000ff"),
        std::string::npos);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "curcolor"),
              std::tuple(ERROR_SUCCESS, REG_DWORD, std::string("\xFF\0\0\xFF", 4)));
    EXPECT_EQ(std::get<0>(Query(key, "CustomColor0")), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndBytesAndTheDefaultValueHasNoName) {
    HKEY key = Create(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InprocServer32");
    const std::string path = std::string("C:\\Tarsel\\VOKSLETRASTEL.OCX \"quoted\"\n") + '\0';
    const std::string binary("\x01\x02\xFE\0\\\"", 6);
    ASSERT_EQ(Set(key, nullptr, REG_SZ, path), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "odd \"name\"", REG_BINARY, binary), ERROR_SUCCESS);
    RegCloseKey(key);
    RegCloseKey(Create(HKEY_CLASSES_ROOT, "CLSID\\Empty"));

    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "clsid\\{x}\\inprocserver32", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, ""), std::tuple(ERROR_SUCCESS, REG_SZ, path));
    EXPECT_EQ(Query(key, "odd \"NAME\""), std::tuple(ERROR_SUCCESS, REG_BINARY, binary));
    char small[4];
    DWORD smallSize = sizeof small;
    EXPECT_EQ(
        RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small), &smallSize),
        ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, path.size());
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "CLSID\\Empty", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    // The two roots are separate stores.
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "CLSID", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
    HKEY key = Create(HKEY_CURRENT_USER, kTintoraKey);
    SetDword(key, "CurColor", 5);
    EXPECT_EQ(RegDeleteValue(key, "CURCOLOR"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "CurColor"), ERROR_FILE_NOT_FOUND);
    // A handle to a deleted key reports it.
    ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, kTintoraKey), ERROR_SUCCESS);
    EXPECT_EQ(std::get<0>(Query(key, "CurColor")), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    // Deleting refuses a key with subkeys; deleting a tree takes everything.
    RegCloseKey(Create(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1\\CLSID"));
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1\\CLSID"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Pellux.VOKSlet.RastelCtrl.1"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(Create(HKEY_CLASSES_ROOT, "A\\B\\C"));
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "a"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "A", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AReadOnlyHandleCannotWriteAndABrokenStoreIsLeftAlone) {
    RegCloseKey(Create(HKEY_CURRENT_USER, kTintoraKey));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(key, "CurColor", 1), ERROR_ACCESS_DENIED);
    RegCloseKey(key);

    const std::string garbage = "[Software]\nthis is not a value\n";
    std::ofstream(folder.Path() / "HKEY_CURRENT_USER.reg") << garbage;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_BADDB);
    EXPECT_EQ(ReadFileText(folder.File("HKEY_CURRENT_USER.reg")), garbage);
}

TEST_F(RegistryTest, NamesBeyondThePlatformsLimitsAreRefusedAndNothingIsWritten) {
    std::string deep;
    for (int i = 0; i < 513; ++i) deep += "k\\";
    const std::string keys[] = {"A\tB", std::string(256, 'k'), deep};
    HKEY key = nullptr;
    for (const std::string& path : keys) {
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr),
                  ERROR_INVALID_PARAMETER)
            << path.substr(0, 10);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "HKEY_CURRENT_USER.reg"));
    key = Create(HKEY_CURRENT_USER, kTintoraKey);
    EXPECT_EQ(SetDword(key, std::string(16384, 'v').c_str(), 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetDword(key, std::string(16383, 'v').c_str(), 1), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ParallelWritersInSeparateProcessesLoseNoUpdate) {
    RegCloseKey(Create(HKEY_CURRENT_USER, kTintoraKey));
    constexpr int kWriters = 8;
    constexpr int kValuesEach = 25;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            HKEY key = nullptr;
            bool ok = RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_ALL_ACCESS, &key) ==
                      ERROR_SUCCESS;
            for (int i = 0; ok && i < kValuesEach; ++i) {
                const std::string name = "W" + std::to_string(writer) + "V" + std::to_string(i);
                ok = SetDword(key, name.c_str(), DWORD(i)) == ERROR_SUCCESS;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kTintoraKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD found = 0;
    char name[64];
    for (DWORD length = sizeof name; RegEnumValue(key, found, name, &length, nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
         length = sizeof name) {
        ++found;
    }
    RegCloseKey(key);
    EXPECT_EQ(found, DWORD(kWriters * kValuesEach));
}

TEST_F(RegistryTest, TheFolderComesFromTheEnvironment) {
    EXPECT_EQ(RegistryFolder(), folder.Path().string());
    unsetenv("TARSEL_REGISTRY");
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_CONFIG_HOME", "/config/here", 1);
    EXPECT_EQ(RegistryFolder(), "/config/here/tarsel-registry");
    previous ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
