#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>

#include "platform/files/AtomicFile.h"
#include "platform/files/FileLock.h"
#include "platform/files/WholeFile.h"
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
// A store is a few kilobytes; anything near this is not one.
constexpr uint64_t kMaxStoreBytes = 64ULL << 20;

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
    const files::WholeFile file = files::ReadWholeFile(RootFile(root).string(), kMaxStoreBytes);
    if (file.problem == files::ReadProblem::Missing) return std::make_unique<registry::Key>();
    if (!file) return nullptr;
    return registry::Parse(file.bytes);
}

// A reader sees either the old or the new contents of the store, never a part.
bool SaveRoot(int root, const registry::Key& key) {
    return !files::ReplaceFile(RootFile(root).string(), registry::Serialize(key));
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

LSTATUS CheckHandle(HKEY hKey, REGSAM needed) {
    if (!IsValid(hKey)) return ERROR_INVALID_HANDLE;
    if ((hKey->access & needed) != needed) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

Located Locate(HKEY hKey, REGSAM needed) {
    Located found;
    found.status = CheckHandle(hKey, needed);
    if (found.status != ERROR_SUCCESS) return found;
    found.root = LoadRoot(hKey->root);
    if (!found.root) {
        found.status = ERROR_BADDB;
        return found;
    }
    found.key = registry::FindKey(*found.root, hKey->path);
    if (!found.key) found.status = ERROR_KEY_DELETED;
    return found;
}

// One read-modify-write of the root that hKey lies in, under the root's lock,
// so that another process's change between the read and the write is never
// lost. `change` edits the located store and returns its status; the store is
// saved when that is ERROR_SUCCESS.
template <class Change>
LSTATUS Modify(HKEY hKey, REGSAM needed, Change change) {
    if (const LSTATUS status = CheckHandle(hKey, needed); status != ERROR_SUCCESS) return status;
    const std::filesystem::path file = RootFile(hKey->root);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const files::FileLock lock(file.string() + ".lock");
    if (!lock.Held()) return ERROR_CANTWRITE;
    Located found = Locate(hKey, needed);
    if (found.status != ERROR_SUCCESS) return found.status;
    if (const LSTATUS status = change(found); status != ERROR_SUCCESS) return status;
    return SaveRoot(hKey->root, *found.root) ? ERROR_SUCCESS : ERROR_CANTWRITE;
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
    if (path.size() > registry::kMaxKeyDepth ||
        !std::all_of(path.begin() + ptrdiff_t(hKey->path.size()), path.end(),
                     registry::ValidKeyName)) {
        return ERROR_INVALID_PARAMETER;
    }
    // An existing key needs no write, so it opens in a store that cannot be written.
    bool created = false;
    if (!registry::FindKey(*found.root, path)) {
        if ((hKey->access & KEY_CREATE_SUB_KEY) != KEY_CREATE_SUB_KEY) return ERROR_ACCESS_DENIED;
        const LSTATUS status = Modify(hKey, 0, [&](Located& store) {
            registry::Key* key = store.key;
            for (size_t i = hKey->path.size(); i < path.size(); ++i) {
                registry::Key* next = key->FindSubkey(path[i]);
                if (!next) {
                    auto fresh = std::make_unique<registry::Key>();
                    fresh->name = path[i];
                    next = fresh.get();
                    key->subkeys.emplace(path[i], std::move(fresh));
                    created = true;
                }
                key = next;
            }
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS) return status;
    }
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
    registry::Value value{ValueName(lpValueName), dwType,
                          std::vector<uint8_t>(lpData, lpData + cbData)};
    if (!registry::ValidValueName(value.name)) return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    return Modify(hKey, KEY_SET_VALUE, [&](Located& store) {
        if (registry::Value* existing = store.key->FindValue(value.name)) {
            // The first spelling of a name stays, as the platform keeps it.
            existing->type = value.type;
            existing->data = std::move(value.data);
        } else {
            store.key->values.push_back(std::move(value));
        }
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
    std::lock_guard lock(g_mutex);
    const std::string name = ValueName(lpValueName);
    return Modify(hKey, KEY_SET_VALUE, [&](Located& store) {
        auto& values = store.key->values;
        const auto it = std::find_if(values.begin(), values.end(), [&](const registry::Value& v) {
            return registry::SameName(v.name, name);
        });
        if (it == values.end()) return ERROR_FILE_NOT_FOUND;
        values.erase(it);
        return ERROR_SUCCESS;
    });
}

namespace {

LSTATUS DeleteKey(HKEY hKey, LPCSTR lpSubKey, bool withSubkeys) {
    std::lock_guard lock(g_mutex);
    if (const LSTATUS status = CheckHandle(hKey, 0); status != ERROR_SUCCESS) return status;
    const std::vector<std::string> path = SubPath(hKey, lpSubKey);
    if (path.empty()) return ERROR_ACCESS_DENIED;
    return Modify(hKey, 0, [&](Located& store) {
        registry::Key* key = registry::FindKey(*store.root, path);
        if (!key) return ERROR_FILE_NOT_FOUND;
        if (!withSubkeys && !key->subkeys.empty()) return ERROR_ACCESS_DENIED;
        registry::Key* parent =
            registry::FindKey(*store.root, std::vector<std::string>(path.begin(), path.end() - 1));
        parent->subkeys.erase(path.back());
        return ERROR_SUCCESS;
    });
}

}  // namespace

LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    return DeleteKey(hKey, lpSubKey, false);
}

LSTATUS RegDeleteTree(HKEY hKey, LPCSTR lpSubKey) {
    if (lpSubKey && *lpSubKey) return DeleteKey(hKey, lpSubKey, true);
    std::lock_guard lock(g_mutex);
    return Modify(hKey, KEY_SET_VALUE, [](Located& store) {
        store.key->values.clear();
        store.key->subkeys.clear();
        return ERROR_SUCCESS;
    });
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
