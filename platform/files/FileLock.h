#pragma once
// An advisory lock between processes: every process that changes a shared
// file takes the lock of that file first, so read-modify-write cycles never
// interleave and no process loses another's update.

#include <string>
#include <system_error>

namespace files {

class FileLock {
public:
    // Waits for the exclusive lock on the lock file at `path`, creating it when
    // missing. Without a lock (a folder that cannot be written) Error() says why.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    std::error_code Error() const { return m_error; }

private:
    int m_fd = -1;
    std::error_code m_error;
};

}  // namespace files
