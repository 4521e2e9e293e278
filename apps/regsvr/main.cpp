// regsvr: registers or unregisters an in-process server module in the
// registry store named by TARSEL_REGISTRY, or prints that store.
//
//   regsvr MODULE       calls the module's DllRegisterServer
//   regsvr -u MODULE    calls its DllUnregisterServer
//   regsvr --dump       prints every value as KEY<TAB>NAME<TAB>VALUE
//
// Exit status: 0 on success, 1 when the module fails (its HRESULT is printed
// in hex) or cannot be loaded or the store cannot be read, 2 for a wrong
// command line.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/ClassFactory.h"
#include "platform/com/Module.h"
#include "platform/files/FileLock.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryStore.h"

namespace {

constexpr int kUsageError = 2;

int Usage() {
    std::fprintf(stderr, "usage: regsvr [-u] MODULE\n       regsvr --dump\n");
    return kUsageError;
}

std::string FormatValue(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::string text(data.begin(), data.end());
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
    char buffer[16];
    if (type == REG_DWORD && data.size() == 4) {
        DWORD value =
            DWORD(data[0]) | DWORD(data[1]) << 8 | DWORD(data[2]) << 16 | DWORD(data[3]) << 24;
        std::snprintf(buffer, sizeof buffer, "0x%08x", value);
        return buffer;
    }
    std::string text;
    for (BYTE b : data) {
        std::snprintf(buffer, sizeof buffer, "%s%02x", text.empty() ? "" : ",", b);
        text += buffer;
    }
    return text;
}

// Prints the values of one key; false when the store cannot be read.
bool DumpValues(HKEY key, const std::string& path) {
    std::vector<char> name(registry::kMaxValueNameLength + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = DWORD(name.size());
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status =
            RegEnumValue(key, i, name.data(), &nameLength, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS) return true;
        std::vector<BYTE> data(size);
        nameLength = DWORD(name.size());
        if (status == ERROR_SUCCESS) {
            status =
                RegEnumValue(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        }
        if (status != ERROR_SUCCESS) return false;
        data.resize(size);
        std::printf("%s\t%s\t%s\n", path.c_str(), name[0] ? name.data() : "@",
                    FormatValue(type, data).c_str());
    }
}

// Every key below the root, parents first and subkeys in name order, without
// recursion; false when the store cannot be read.
bool DumpRoot(HKEY root, const std::string& rootName) {
    std::vector<std::string> pending{""};
    char name[registry::kMaxKeyNameLength + 1];
    while (!pending.empty()) {
        const std::string path = std::move(pending.back());
        pending.pop_back();
        HKEY key = root;
        if (!path.empty() && RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        bool ok = DumpValues(key, path.empty() ? rootName : rootName + "\\" + path);
        std::vector<std::string> children;
        LSTATUS status = ERROR_SUCCESS;
        for (DWORD i = 0; ok && (status = RegEnumKey(key, i, name, sizeof name)) == ERROR_SUCCESS;
             ++i) {
            children.push_back(path.empty() ? name : path + "\\" + name);
        }
        if (key != root) RegCloseKey(key);
        if (!ok || status != ERROR_NO_MORE_ITEMS) return false;
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return true;
}

int Dump() {
    const std::pair<HKEY, const char*> roots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                                  {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"}};
    for (const auto& [root, name] : roots) {
        if (!DumpRoot(root, name)) {
            std::fflush(stdout);
            std::fprintf(stderr, "regsvr: the registry store %s in %s cannot be read\n", name,
                         RegistryFolder().c_str());
            return 1;
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int CallServer(const std::string& modulePath, bool unregister) {
    std::error_code error;
    const std::string path = std::filesystem::absolute(modulePath, error).string();
    HMODULE module = error ? nullptr : LoadLibrary(path.c_str());
    if (!module) {
        std::fprintf(stderr, "regsvr: cannot load %s: %s\n", modulePath.c_str(),
                     LastLoadError().c_str());
        std::printf("0x%08X\n", unsigned(HRESULT_ERROR_MOD_NOT_FOUND));
        return 1;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<DllRegisterServerFunction>(GetProcAddress(module, entry));
    HRESULT hr = CO_E_ERRORINDLL;
    if (function) {
        // A registration and an unregistration of the same server must not
        // interleave, or one deletes keys the other is still filling.
        std::filesystem::create_directories(RegistryFolder(), error);
        const files::FileLock lock(
            (std::filesystem::path(RegistryFolder()) / "registration.lock").string());
        hr = function();
    } else {
        std::fprintf(stderr, "regsvr: %s has no %s\n", modulePath.c_str(), entry);
    }
    FreeLibrary(module);
    if (FAILED(hr)) {
        std::printf("0x%08X\n", unsigned(hr));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--dump") return Dump();
    if (args.size() == 1 && !args[0].empty() && args[0][0] != '-')
        return CallServer(args[0], false);
    if (args.size() == 2 && args[0] == "-u") return CallServer(args[1], true);
    return Usage();
}
