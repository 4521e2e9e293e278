#include "dialogs/DataFolder.h"

#include "platform/com/Module.h"

std::string DataFolderFromModulePath(const std::string& modulePath) {
    std::string folder = modulePath;
    if (const size_t cut = folder.rfind('/'); cut != std::string::npos) folder.erase(cut);
    if (const size_t cut = folder.rfind('/'); cut != std::string::npos) folder.erase(cut + 1);
    return folder + "tintora";
}

std::string ModuleDataFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileName(
        ModuleFromAddress(reinterpret_cast<const void*>(&ModuleDataFolder)), path, MAX_PATH);
    // A path cut to the limit would name some other folder.
    if (length == 0 || length >= MAX_PATH) return {};
    return DataFolderFromModulePath(path);
}
