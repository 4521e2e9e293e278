#pragma once
// Runs a short script with the system's Python (which has PIL), as an
// independent reader and writer of image files.

#include <string>

// Returns the script's standard output; sets ok to whether it exited with 0.
std::string RunPython(const std::string& script, bool* ok = nullptr);
