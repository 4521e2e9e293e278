#pragma once
// PIL, the independent reader and writer of image files, run in a temporary
// folder where its script reads and writes its files by their bare names.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

// Runs "from PIL import Image" and the script in the folder and returns what it
// printed; a script that fails fails the test.
inline std::string PilScript(const TempDir& dir, const std::string& script) {
    bool ok = false;
    const std::string output = RunPython(
        "import os\nos.chdir('" + dir.Path().string() + "')\nfrom PIL import Image\n" + script,
        &ok);
    EXPECT_TRUE(ok) << output;
    return output;
}
