#pragma once
// The module file installed as a host would have it, in a test's own folder:
// FOLDER/module/VOKSLETRASTEL.OCX, so that its data folder ("tintora" beside
// the module's folder) is FOLDER/tintora. Every test that loads the module
// loads such a copy: nothing it does depends on, or writes beside, the
// build's module file.

#include <filesystem>
#include <string>

struct ModuleCopy {
    std::string file;                  // to register and load
    std::filesystem::path dataFolder;  // not made: the module never makes it either
};

// Copies the built module into the folder; a copy that cannot be made fails the test.
ModuleCopy InstallModuleCopy(const std::filesystem::path& folder, const std::string& builtModule);
