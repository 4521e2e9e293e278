#pragma once
// Other programs run from a test, and the files they leave, read and written
// whole.

#include <cstdint>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;     // the exit code; -1 when the program did not end normally
    std::string output;  // its standard output (add " 2>&1" for its errors too)
};

// Runs a command line through the shell and collects what it prints.
ProgramRun RunProgram(const std::string& commandLine);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
