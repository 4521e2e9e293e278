#include "platform/com/RegistryKeys.h"

namespace com {

namespace {

class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (m_key) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

bool SetRegString(HKEY root, const std::string& key, LPCSTR name, const std::string& value) {
    OpenKey k;
    if (RegCreateKeyEx(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                       k.Out(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueEx(k.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         DWORD(value.size() + 1)) == ERROR_SUCCESS;
}

bool CreateRegKey(HKEY root, const std::string& key) {
    OpenKey k;
    return RegCreateKeyEx(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                          nullptr, k.Out(), nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> GetRegString(HKEY root, const std::string& key, LPCSTR name) {
    OpenKey k;
    if (RegOpenKeyEx(root, key.c_str(), 0, KEY_READ, k.Out()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(k.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (size > 0 && RegQueryValueEx(k.Get(), name, nullptr, &type,
                                    reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(size);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

bool RegKeyExists(HKEY root, const std::string& key) {
    OpenKey k;
    return RegOpenKeyEx(root, key.c_str(), 0, KEY_READ, k.Out()) == ERROR_SUCCESS;
}

bool DeleteRegTree(HKEY root, const std::string& key) {
    const LSTATUS status = RegDeleteTree(root, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> RegSubkeys(HKEY root, const std::string& key) {
    std::vector<std::string> names;
    OpenKey k;
    if (RegOpenKeyEx(root, key.c_str(), 0, KEY_READ, k.Out()) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0; RegEnumKey(k.Get(), i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        names.emplace_back(name);
    }
    return names;
}

}  // namespace com
