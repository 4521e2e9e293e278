#include "platform/com/Module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Loaded {
    void* handle;
    int count;
};

std::mutex g_mutex;
std::map<HMODULE, Loaded> g_loaded;
std::string g_lastError;

std::string Absolute(const char* path) {
    char resolved[PATH_MAX];
    if (path && *path && realpath(path, resolved)) return resolved;
    return path ? path : "";
}

std::string MainProgramPath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    buffer[n] = '\0';
    return buffer;
}

}  // namespace

HMODULE ModuleFromAddress(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fbase) return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

std::string ModuleFileName(HMODULE module) {
    struct Search {
        const void* base;
        bool found = false;
        std::string name;
    } search{module, false, {}};
    if (!module) return {};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto& s = *static_cast<Search*>(data);
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
                const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
                const uintptr_t start =
                    (info->dlpi_addr + info->dlpi_phdr[i].p_vaddr) & ~(page - 1);
                if (start == uintptr_t(s.base)) {
                    s.found = true;
                    s.name = info->dlpi_name ? info->dlpi_name : "";
                    return 1;
                }
                break;  // only the first loadable segment starts a module
            }
            return 0;
        },
        &search);
    if (!search.found) return {};
    // The main program is listed without a name.
    return search.name.empty() ? MainProgramPath() : Absolute(search.name.c_str());
}

DWORD GetModuleFileName(HMODULE module, char* fileName, DWORD size) {
    const std::string path = ModuleFileName(module);
    if (path.empty() || !fileName || size == 0) return 0;
    if (path.size() < size) {
        std::memcpy(fileName, path.c_str(), path.size() + 1);
        return DWORD(path.size());
    }
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    return size;
}

HMODULE LoadLibrary(LPCSTR path) {
    std::lock_guard lock(g_mutex);
    if (!path || !*path) {
        g_lastError = "no module path";
        return nullptr;
    }
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        g_lastError = error ? error : "cannot load module";
        return nullptr;
    }
    link_map* map = nullptr;
    HMODULE module = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map) module = ModuleFromAddress(map->l_ld);
    if (!module) {
        dlclose(handle);
        g_lastError = "cannot locate the loaded module";
        return nullptr;
    }
    auto [it, inserted] = g_loaded.try_emplace(module, Loaded{handle, 0});
    if (!inserted) dlclose(handle);  // dlopen counted it once more; keep one count per entry
    ++it->second.count;
    return module;
}

void* GetProcAddress(HMODULE module, LPCSTR name) {
    std::lock_guard lock(g_mutex);
    auto it = g_loaded.find(module);
    if (it == g_loaded.end() || !name) return nullptr;
    return dlsym(it->second.handle, name);
}

BOOL FreeLibrary(HMODULE module) {
    std::lock_guard lock(g_mutex);
    auto it = g_loaded.find(module);
    if (it == g_loaded.end()) return FALSE;
    if (--it->second.count == 0) {
        dlclose(it->second.handle);
        g_loaded.erase(it);
    }
    return TRUE;
}

std::string LastLoadError() {
    std::lock_guard lock(g_mutex);
    return g_lastError;
}
