// regsvr: registers or unregisters an in-process server module in the
// registry store named by TARSEL_REGISTRY, or prints that store.
//
//   regsvr MODULE       calls the module's DllRegisterServer
//   regsvr -u MODULE    calls its DllUnregisterServer
//   regsvr --dump       prints every value as KEY<TAB>NAME<TAB>VALUE
//
// Exit status: 0 on success, 1 when the module fails (its HRESULT is printed
// in hex) or cannot be loaded, 2 for a wrong command line.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/ClassFactory.h"
#include "platform/com/Module.h"
#include "platform/registry/Registry.h"

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

void DumpKey(HKEY key, const std::string& path) {
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValue(key, i, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        std::vector<BYTE> data(size);
        nameLength = sizeof name;
        RegEnumValue(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
        data.resize(size);
        std::printf("%s\t%s\t%s\n", path.c_str(), *name ? name : "@",
                    FormatValue(type, data).c_str());
    }
    for (DWORD i = 0; RegEnumKey(key, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        HKEY child = nullptr;
        if (RegOpenKeyEx(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        DumpKey(child, path + "\\" + name);
        RegCloseKey(child);
    }
}

int Dump() {
    DumpKey(HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT");
    DumpKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
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
