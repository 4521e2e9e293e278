#pragma once
// The host program run as an operator's script would run it: in a folder of
// the test's own, with a copy of the module (and so its data folder) there,
// registered in a registry of its own, and the project's sample picture beside it.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "apps/tintora/PictureFiles.h"
#include "tests/support/ModuleCopy.h"
#include "tests/support/OwnRegistry.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

inline const std::string kTintoraCtrl = "Pellux.VOKSlet.RastelCtrl.1";

class HostProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunProgram(std::string(TINTORA_REGSVR) + " '" + module.file + "'").status, 0);
        ASSERT_EQ(Tintora("sample sample.png").status, 0);
    }

    // Runs the script from the test's folder; options come before --script.
    ProgramRun Host(const std::string& script,
                    const std::string& options = "--plugin " + kTintoraCtrl,
                    const std::string& environment = "") {
        std::ofstream(dir.File("test.tscript")) << script;
        // In the sanitizer build the leak check passes over the D-Bus
        // libraries' own leaks, found through full stacks (Qt has no frame
        // pointers); the normal build ignores both settings.
        const std::string leakCheck = std::string("ASAN_OPTIONS=fast_unwind_on_malloc=0 ") +
                                      "LSAN_OPTIONS=suppressions=" + HOST_LEAK_SUPPRESSIONS + " ";
        // A host that hangs is ended, and the test fails, after two minutes.
        return RunProgram("cd '" + dir.Path().string() + "' && " + leakCheck + environment +
                          " timeout 120 " + TARSEL_HOST + " " + options +
                          " --script test.tscript 2>&1");
    }
    ProgramRun Tintora(const std::string& arguments) {
        return RunProgram("cd '" + dir.Path().string() + "' && " + TINTORA_CLI_PATH + " " +
                          arguments + " 2>&1");
    }
    Picture Read(const std::string& name) {
        auto picture = ReadPicture(dir.File(name), std::nullopt);
        EXPECT_TRUE(picture) << picture.Error();
        return picture ? std::move(picture).Value() : Picture{};
    }

    OwnRegistry registry;
    TempDir dir;
    const ModuleCopy module = InstallModuleCopy(dir.Path(), TINTORA_MODULE_FILE);
};

inline bool SamePicture(const Picture& a, const Picture& b) {
    return a.width == b.width && a.height == b.height && a.bgra == b.bgra;
}
