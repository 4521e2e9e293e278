#include "platform/files/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/FileDescriptor.h"

namespace files {

namespace {

WholeFile Refused(ReadProblem problem, int error = 0) {
    WholeFile file;
    file.problem = problem;
    if (error) file.error = {error, std::generic_category()};
    return file;
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path, uint64_t maxBytes) {
    // Opening a FIFO for reading would wait for a writer; non-blocking it
    // returns at once, and the type check below refuses it.
    files::FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return Refused(ReadProblem::Missing);
        if (errno == ENXIO || errno == EISDIR) return Refused(ReadProblem::NotAFile);
        return Refused(ReadProblem::Unreadable, errno);
    }
    struct stat status {};
    if (fstat(fd.Get(), &status) != 0) return Refused(ReadProblem::Unreadable, errno);
    if (!S_ISREG(status.st_mode)) return Refused(ReadProblem::NotAFile);
    if (uint64_t(status.st_size) > maxBytes) return Refused(ReadProblem::TooLarge);

    WholeFile file;
    // One byte more than the file holds, so that the read that finds its end
    // has room without growing (and copying) the buffer.
    file.bytes.resize(size_t(status.st_size) + 1);
    size_t filled = 0;
    for (;;) {
        // The file may have grown since fstat: read on until its end, within the limit.
        if (filled == file.bytes.size()) {
            if (file.bytes.size() > maxBytes) return Refused(ReadProblem::TooLarge);
            file.bytes.resize(file.bytes.size() + 4096);
        }
        const ssize_t n = read(fd.Get(), file.bytes.data() + filled, file.bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Refused(ReadProblem::Unreadable, errno);
        if (n == 0) break;
        filled += size_t(n);
    }
    if (filled > maxBytes) return Refused(ReadProblem::TooLarge);
    file.bytes.resize(filled);
    return file;
}

}  // namespace files
