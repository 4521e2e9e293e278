#include "tests/support/ModuleCopy.h"

#include <gtest/gtest.h>

ModuleCopy InstallModuleCopy(const std::filesystem::path& folder, const std::string& builtModule) {
    const std::filesystem::path moduleFolder = folder / "module";
    ModuleCopy copy{(moduleFolder / "VOKSLETRASTEL.OCX").string(), folder / "tintora"};
    std::error_code error;
    std::filesystem::create_directories(moduleFolder, error);
    if (!error) std::filesystem::copy_file(builtModule, copy.file, error);
    EXPECT_FALSE(error) << "cannot copy " << builtModule << ": " << error.message();
    return copy;
}
