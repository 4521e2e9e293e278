#pragma once
// Reading a whole file that the system did not write itself (a picture, a
// store, a presets or selection file) without ever waiting on it: anything
// but a regular file, a FIFO or a device included, is refused at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <system_error>

#include "platform/files/FileDescriptor.h"

struct iovec;

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

// Memory a file is read into, for callers that keep large files' bytes in
// memory of their own.
class FileBuffer {
public:
    virtual ~FileBuffer() = default;
    // Room for at least `bytes` bytes that keeps the first `kept` bytes
    // given so far; null when it cannot be had.
    virtual uint8_t* Grow(size_t bytes, size_t kept) = 0;
    // Runs read(0) .. read(count - 1), the parts of a large file, each into
    // its own bytes: one after the other, or at once on threads of the
    // buffer's own.
    virtual void ReadParts(int count, const std::function<void(int)>& read) {
        for (int part = 0; part < count; ++part) read(part);
    }
};

struct FileRead {
    size_t size = 0;  // the bytes read, at the start of the buffer
    ReadProblem problem = ReadProblem::None;
    std::error_code error;  // the system's reason for Unreadable

    explicit operator bool() const { return problem == ReadProblem::None; }
};

// A file opened as ReadWholeFile opens it, with its length at that moment;
// refused as ReadWholeFile refuses it.
struct OpenedFile {
    FileDescriptor fd{-1};
    uint64_t size = 0;
    ReadProblem problem = ReadProblem::None;
    std::error_code error;  // the system's reason for Unreadable

    explicit operator bool() const { return problem == ReadProblem::None; }
};
OpenedFile OpenForReading(const std::string& path, uint64_t maxBytes);

// As ReadWholeFile, from an opened file into the buffer.
FileRead ReadWholeFileInto(const OpenedFile& file, uint64_t maxBytes, FileBuffer& buffer);

// Fills the pieces, in order, with the file's bytes from `offset` on: how many
// bytes it filled (fewer at the end of the file), or -1 with errno set. The
// pieces' entries are used up as they are filled.
int64_t ReadPiecesAt(const OpenedFile& file, uint64_t offset, iovec* pieces, int count);

}  // namespace files
