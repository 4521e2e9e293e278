#pragma once
// The framework's messages for a file that failed in the middle of reading or
// writing.

#include <string>

inline std::string FileReadErrorMessage(const std::string& path) {
    return "An error occurred while reading " + path + ".";
}

inline std::string FileWriteErrorMessage(const std::string& path) {
    return "An error occurred while writing " + path + ".";
}
