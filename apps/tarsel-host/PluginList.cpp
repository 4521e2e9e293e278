#include "apps/tarsel-host/PluginList.h"

#include <algorithm>

#include "platform/com/RegistryKeys.h"

namespace tarsel_host {

std::vector<std::string> ReadPluginList() {
    std::vector<std::string> progIds;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kPluginListKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return progIds;
    }
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValue(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        if (*name) progIds.emplace_back(name, length);
    }
    RegCloseKey(key);
    return progIds;
}

bool AddToPluginList(const std::string& progId) {
    const auto listed = ReadPluginList();
    if (std::find(listed.begin(), listed.end(), progId) != listed.end()) return true;
    return com::SetRegString(HKEY_CURRENT_USER, kPluginListKey, progId.c_str(), progId);
}

bool RemoveFromPluginList(const std::string& progId) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kPluginListKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool removed = RegDeleteValue(key, progId.c_str()) == ERROR_SUCCESS;
    RegCloseKey(key);
    return removed;
}

}  // namespace tarsel_host
