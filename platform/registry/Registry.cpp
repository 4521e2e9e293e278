#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>

#include "platform/files/AtomicFile.h"
#include "platform/registry/RegistryStore.h"

struct HKEY__ {
    int root;
    std::vector<std::string> path;
    REGSAM access;
};

namespace {

HKEY__ g_classesRoot{0, {}, KEY_ALL_ACCESS};
HKEY__ g_currentUser{1, {}, KEY_ALL_ACCESS};

constexpr const char* kRootFiles[] = {"HKEY_CLASSES_ROOT.reg", "HKEY_CURRENT_USER.reg"};

std::mutex g_mutex;
std::set<HKEY> g_openKeys;

bool IsPredefined(HKEY key) { return key == &g_classesRoot || key == &g_currentUser; }
bool IsValid(HKEY key) { return IsPredefined(key) || g_openKeys.count(key) != 0; }

std::filesystem::path RootFile(int root) {
    return std::filesystem::path(RegistryFolder()) / kRootFiles[root];
}

// The root as the file holds it now: empty when there is no file yet, null when
// the file cannot be read as a store.
std::unique_ptr<registry::Key> LoadRoot(int root) {
    std::ifstream in(RootFile(root), std::ios::binary);
    if (!in) return std::make_unique<registry::Key>();
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return nullptr;
    return registry::Parse(text.str());
}

// A reader sees either the old or the new contents of the store, never a part.
bool SaveRoot(int root, const registry::Key& key) {
    const std::filesystem::path file = RootFile(root);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return !files::ReplaceFile(file.string(), registry::Serialize(key));
}

bool ValidKeyName(const std::string& name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::vector<std::string> SubPath(HKEY key, LPCSTR subKey) {
    std::vector<std::string> path = key->path;
    if (subKey) {
        for (std::string& part : registry::SplitPath(subKey)) path.push_back(std::move(part));
    }
    return path;
}

std::string ValueName(LPCSTR name) { return name ? name : ""; }

LSTATUS OpenHandle(HKEY key, std::vector<std::string> path, REGSAM access, PHKEY result) {
    auto* handle = new HKEY__{key->root, std::move(path), access};
    g_openKeys.insert(handle);
    *result = handle;
    return ERROR_SUCCESS;
}

// Loads the root of an open key and finds the key in it.
struct Located {
    LSTATUS status = ERROR_SUCCESS;
    std::unique_ptr<registry::Key> root;
    registry::Key* key = nullptr;
};

Located Locate(HKEY hKey, REGSAM needed) {
    Located found;
    if (!IsValid(hKey)) {
        found.status = ERROR_INVALID_HANDLE;
        return found;
    }
    if ((hKey->access & needed) != needed) {
        found.status = ERROR_ACCESS_DENIED;
        return found;
    }
    found.root = LoadRoot(hKey->root);
    if (!found.root) {
        found.status = ERROR_BADDB;
        return found;
    }
    found.key = registry::FindKey(*found.root, hKey->path);
    if (!found.key) found.status = ERROR_KEY_DELETED;
    return found;
}

}  // namespace

HKEY const HKEY_CLASSES_ROOT = &g_classesRoot;
HKEY const HKEY_CURRENT_USER = &g_currentUser;

std::string RegistryFolder() {
    if (const char* folder = std::getenv("TARSEL_REGISTRY"); folder && *folder) return folder;
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        config = std::filesystem::path(home) / ".config";
    } else {
        config = ".";
    }
    return (config / "tarsel-registry").string();
}

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, 0);
    if (found.status != ERROR_SUCCESS) return found.status;
    std::vector<std::string> path = SubPath(hKey, lpSubKey);
    if (!registry::FindKey(*found.root, path)) return ERROR_FILE_NOT_FOUND;
    return OpenHandle(hKey, std::move(path), samDesired, phkResult);
}

LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                       const void*, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, 0);
    if (found.status != ERROR_SUCCESS) return found.status;
    std::vector<std::string> path = SubPath(hKey, lpSubKey);
    registry::Key* key = found.key;
    bool created = false;
    for (size_t i = hKey->path.size(); i < path.size(); ++i) {
        if (!ValidKeyName(path[i])) return ERROR_INVALID_PARAMETER;
        registry::Key* next = key->FindSubkey(path[i]);
        if (!next) {
            if ((hKey->access & KEY_CREATE_SUB_KEY) != KEY_CREATE_SUB_KEY) {
                return ERROR_ACCESS_DENIED;
            }
            auto fresh = std::make_unique<registry::Key>();
            fresh->name = path[i];
            next = fresh.get();
            key->subkeys.emplace(path[i], std::move(fresh));
            created = true;
        }
        key = next;
    }
    if (created && !SaveRoot(hKey->root, *found.root)) return ERROR_CANTWRITE;
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return OpenHandle(hKey, std::move(path), samDesired, phkResult);
}

LSTATUS RegCloseKey(HKEY hKey) {
    std::lock_guard lock(g_mutex);
    if (IsPredefined(hKey)) return ERROR_SUCCESS;
    if (g_openKeys.erase(hKey) == 0) return ERROR_INVALID_HANDLE;
    delete hKey;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_QUERY_VALUE);
    if (found.status != ERROR_SUCCESS) return found.status;
    const registry::Value* value = found.key->FindValue(ValueName(lpValueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (lpType) *lpType = value->type;
    const DWORD size = DWORD(value->data.size());
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        std::copy(value->data.begin(), value->data.end(), lpData);
    }
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                      DWORD cbData) {
    if (!lpData && cbData != 0) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_SET_VALUE);
    if (found.status != ERROR_SUCCESS) return found.status;
    registry::Value value{ValueName(lpValueName), dwType,
                          std::vector<uint8_t>(lpData, lpData + cbData)};
    if (registry::Value* existing = found.key->FindValue(value.name)) {
        // The first spelling of a name stays, as the platform keeps it.
        existing->type = value.type;
        existing->data = std::move(value.data);
    } else {
        found.key->values.push_back(std::move(value));
    }
    return SaveRoot(hKey->root, *found.root) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_SET_VALUE);
    if (found.status != ERROR_SUCCESS) return found.status;
    auto& values = found.key->values;
    const std::string name = ValueName(lpValueName);
    const auto it = std::find_if(values.begin(), values.end(), [&](const registry::Value& v) {
        return registry::SameName(v.name, name);
    });
    if (it == values.end()) return ERROR_FILE_NOT_FOUND;
    values.erase(it);
    return SaveRoot(hKey->root, *found.root) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

namespace {

LSTATUS DeleteKey(HKEY hKey, LPCSTR lpSubKey, bool withSubkeys) {
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, 0);
    if (found.status != ERROR_SUCCESS) return found.status;
    const std::vector<std::string> path = SubPath(hKey, lpSubKey);
    if (path.empty()) return ERROR_ACCESS_DENIED;
    registry::Key* key = registry::FindKey(*found.root, path);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!withSubkeys && !key->subkeys.empty()) return ERROR_ACCESS_DENIED;
    registry::Key* parent =
        registry::FindKey(*found.root, std::vector<std::string>(path.begin(), path.end() - 1));
    parent->subkeys.erase(path.back());
    return SaveRoot(hKey->root, *found.root) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

}  // namespace

LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    return DeleteKey(hKey, lpSubKey, false);
}

LSTATUS RegDeleteTree(HKEY hKey, LPCSTR lpSubKey) {
    if (lpSubKey && *lpSubKey) return DeleteKey(hKey, lpSubKey, true);
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_SET_VALUE);
    if (found.status != ERROR_SUCCESS) return found.status;
    found.key->values.clear();
    found.key->subkeys.clear();
    return SaveRoot(hKey->root, *found.root) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    if (!lpName) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_ENUMERATE_SUB_KEYS);
    if (found.status != ERROR_SUCCESS) return found.status;
    if (dwIndex >= found.key->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& name = std::next(found.key->subkeys.begin(), dwIndex)->second->name;
    if (cchName < name.size() + 1) return ERROR_MORE_DATA;
    std::memcpy(lpName, name.c_str(), name.size() + 1);
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    Located found = Locate(hKey, KEY_QUERY_VALUE);
    if (found.status != ERROR_SUCCESS) return found.status;
    if (dwIndex >= found.key->values.size()) return ERROR_NO_MORE_ITEMS;
    const registry::Value& value = found.key->values[dwIndex];
    if (*lpcchValueName < value.name.size() + 1) return ERROR_MORE_DATA;
    std::memcpy(lpValueName, value.name.c_str(), value.name.size() + 1);
    *lpcchValueName = DWORD(value.name.size());
    if (lpType) *lpType = value.type;
    const DWORD size = DWORD(value.data.size());
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        std::copy(value.data.begin(), value.data.end(), lpData);
    }
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}
