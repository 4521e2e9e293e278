#pragma once
// Reading a whole file that the system did not write itself (a picture, a
// store, a presets or selection file) without ever waiting on it: anything
// but a regular file, a FIFO or a device included, is refused at once.

#include <cstdint>
#include <string>
#include <system_error>

namespace files {

enum class ReadProblem {
    None,
    Missing,     // no such file (or a folder on the way is missing)
    NotAFile,    // a folder, FIFO, device or socket
    TooLarge,    // longer than the caller accepts
    Unreadable,  // no permission, or reading failed
};

struct WholeFile {
    std::string bytes;
    ReadProblem problem = ReadProblem::None;
    std::error_code error;  // the system's reason for Unreadable

    explicit operator bool() const { return problem == ReadProblem::None; }
};

// The file's bytes, at most maxBytes of them.
WholeFile ReadWholeFile(const std::string& path, uint64_t maxBytes);

}  // namespace files
