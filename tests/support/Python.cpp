#include "tests/support/Python.h"

#include <cstdio>
#include <fstream>

#include "tests/support/TempDir.h"

std::string RunPython(const std::string& script, bool* ok) {
    TempDir dir;
    const std::string path = dir.File("script.py");
    std::ofstream(path) << script;
    const std::string command = "/usr/bin/python3 " + path + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (ok) *ok = false;
        return output;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    if (ok) *ok = status == 0;
    return output;
}
