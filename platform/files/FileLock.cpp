#include "platform/files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace files {

FileLock::FileLock(const std::string& path) {
    // flock, not fcntl locks: a lock belongs to this open file, so two copies of
    // the same code in one process (the host and a plug-in module) exclude each
    // other too, and closing some other descriptor of the file never drops it.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_error = {errno, std::generic_category()};
        return;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        m_error = {errno, std::generic_category()};
        close(fd);
        return;
    }
    m_fd = fd;
}

FileLock::~FileLock() {
    // Closing the only descriptor of this open file releases the lock.
    if (m_fd >= 0) close(m_fd);
}

}  // namespace files
