#include "dialogs/DataFolder.h"

#include "platform/com/Module.h"

namespace {

// The platform's limit for a module path, terminating zero included.
constexpr DWORD kModulePathLimit = 260;

}  // namespace

std::string DataFolderFromModulePath(const std::string& modulePath) {
    std::string folder = modulePath;
    if (const size_t cut = folder.rfind('/'); cut != std::string::npos) folder.erase(cut);
    if (const size_t cut = folder.rfind('/'); cut != std::string::npos) folder.erase(cut + 1);
    return folder + "tintora";
}

std::string ModuleDataFolder() {
    char path[kModulePathLimit];
    const DWORD length = GetModuleFileName(
        ModuleFromAddress(reinterpret_cast<const void*>(&ModuleDataFolder)), path, kModulePathLimit);
    // A path cut to the limit would name some other folder.
    if (length == 0 || length >= kModulePathLimit) return {};
    return DataFolderFromModulePath(path);
}
