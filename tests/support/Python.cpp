#include "tests/support/Python.h"

#include <fstream>

#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

std::string RunPython(const std::string& script, bool* ok) {
    TempDir dir;
    const std::string path = dir.File("script.py");
    std::ofstream(path) << script;
    const ProgramRun run = RunProgram("/usr/bin/python3 " + path + " 2>&1");
    if (ok) *ok = run.status == 0;
    return run.output;
}
