#include "platform/files/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/FileDescriptor.h"

namespace files {

namespace {

FileRead Refused(ReadProblem problem, int error = 0) {
    FileRead file;
    file.problem = problem;
    if (error) file.error = {error, std::generic_category()};
    return file;
}

// A string as the buffer.
class StringBuffer : public FileBuffer {
public:
    explicit StringBuffer(std::string& bytes) : m_bytes(bytes) {}
    uint8_t* Grow(size_t bytes, size_t) override {
        m_bytes.resize(bytes);
        return reinterpret_cast<uint8_t*>(m_bytes.data());
    }

private:
    std::string& m_bytes;
};

// Files from this length on are read in two halves at once, where the buffer
// runs its parts on threads: copying the bytes out of the system's cache is a
// large part of reading a picture.
constexpr uint64_t kPartsFrom = uint64_t(1) << 20;

// The first `length` bytes of the file in two parts; `filled` is how many of
// them lie read in one piece from the start (fewer where the file has shrunk
// since its length was taken).
ReadProblem ReadInParts(const OpenedFile& file, uint8_t* bytes, size_t length, FileBuffer& buffer,
                        size_t& filled) {
    const size_t half = length / 2;
    const size_t from[2] = {0, half};
    const size_t lengths[2] = {half, length - half};
    int64_t got[2] = {0, 0};
    int errors[2] = {0, 0};
    buffer.ReadParts(2, [&](int part) {
        iovec piece{bytes + from[part], lengths[part]};
        got[part] = ReadPiecesAt(file, from[part], &piece, 1);
        if (got[part] < 0) errors[part] = errno;
    });
    for (const int error : errors) {
        if (error != 0) {
            errno = error;
            return ReadProblem::Unreadable;
        }
    }
    filled = size_t(got[0]) < half ? size_t(got[0]) : half + size_t(got[1]);
    return ReadProblem::None;
}

}  // namespace

OpenedFile OpenForReading(const std::string& path, uint64_t maxBytes) {
    // Opening a FIFO for reading would wait for a writer; non-blocking it
    // returns at once, and the type check below refuses it.
    OpenedFile file;
    file.fd = FileDescriptor(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    const auto refuse = [&file](ReadProblem problem, int error = 0) {
        file.problem = problem;
        if (error) file.error = {error, std::generic_category()};
        return std::move(file);
    };
    if (file.fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return refuse(ReadProblem::Missing);
        if (errno == ENXIO || errno == EISDIR) return refuse(ReadProblem::NotAFile);
        return refuse(ReadProblem::Unreadable, errno);
    }
    struct stat status {};
    if (fstat(file.fd.Get(), &status) != 0) return refuse(ReadProblem::Unreadable, errno);
    if (!S_ISREG(status.st_mode)) return refuse(ReadProblem::NotAFile);
    if (uint64_t(status.st_size) > maxBytes) return refuse(ReadProblem::TooLarge);
    file.size = uint64_t(status.st_size);
    return file;
}

FileRead ReadWholeFileInto(const OpenedFile& file, uint64_t maxBytes, FileBuffer& buffer) {
    if (!file) return Refused(file.problem, file.error.value());
    // One byte more than the file holds, so that the read that finds its end
    // has room without growing (and copying) the buffer.
    size_t room = size_t(file.size) + 1;
    uint8_t* bytes = buffer.Grow(room, 0);
    if (bytes == nullptr) return Refused(ReadProblem::Unreadable, ENOMEM);
    size_t filled = 0;
    if (file.size >= kPartsFrom) {
        const ReadProblem problem = ReadInParts(file, bytes, size_t(file.size), buffer, filled);
        if (problem != ReadProblem::None) return Refused(problem, errno);
    }
    for (;;) {
        // The file may have grown since fstat: read on until its end, within the limit.
        if (filled == room) {
            if (room > maxBytes) return Refused(ReadProblem::TooLarge);
            room += 4096;
            bytes = buffer.Grow(room, filled);
            if (bytes == nullptr) return Refused(ReadProblem::Unreadable, ENOMEM);
        }
        iovec rest{bytes + filled, room - filled};
        const int64_t n = ReadPiecesAt(file, filled, &rest, 1);
        if (n < 0) return Refused(ReadProblem::Unreadable, errno);
        filled += size_t(n);
        if (filled < room) break;
    }
    if (filled > maxBytes) return Refused(ReadProblem::TooLarge);
    FileRead read;
    read.size = filled;
    return read;
}

WholeFile ReadWholeFile(const std::string& path, uint64_t maxBytes) {
    WholeFile file;
    StringBuffer buffer(file.bytes);
    const FileRead read = ReadWholeFileInto(OpenForReading(path, maxBytes), maxBytes, buffer);
    file.problem = read.problem;
    file.error = read.error;
    file.bytes.resize(read.size);
    return file;
}

int64_t ReadPiecesAt(const OpenedFile& file, uint64_t offset, iovec* pieces, int count) {
    int64_t filled = 0;
    while (count > 0) {
        const ssize_t n = preadv(file.fd.Get(), pieces, count, off_t(offset + uint64_t(filled)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        filled += n;
        // Past the pieces filled whole, into the one filled in part.
        size_t got = size_t(n);
        while (count > 0 && got >= pieces->iov_len) {
            got -= pieces->iov_len;
            ++pieces;
            --count;
        }
        if (count > 0) {
            pieces->iov_base = static_cast<uint8_t*>(pieces->iov_base) + got;
            pieces->iov_len -= got;
        }
    }
    return filled;
}

}  // namespace files
