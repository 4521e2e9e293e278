#include "dialogs/PresetFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

#include "platform/files/AtomicFile.h"

namespace {

uint32_t ReadWord(const unsigned char* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void PutWord(std::vector<unsigned char>& bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(word >> shift));
}

bool WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Reads up to size bytes; false on a read error (the count read so far is kept).
bool ReadUpTo(int fd, unsigned char* data, size_t size, size_t& count) {
    count = 0;
    while (count < size) {
        const ssize_t n = read(fd, data + count, size - count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        count += size_t(n);
    }
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace

PresetsRead ReadPresetsFile(const std::string& path, PresetRecord (&records)[kPresetSlots]) {
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return PresetsRead::Missing;
    struct stat status {};
    if (fstat(file.Get(), &status) != 0 || S_ISDIR(status.st_mode)) return PresetsRead::Missing;

    unsigned char bytes[kPresetsFileBytes];
    size_t count = 0;
    const bool complete = ReadUpTo(file.Get(), bytes, sizeof bytes, count);
    if (count < 4) return complete ? PresetsRead::Incompatible : PresetsRead::Failed;
    if (ReadWord(bytes) != 0) return PresetsRead::Incompatible;
    // Only whole words are taken; a word cut off by the end keeps its value.
    const size_t words = (count - 4) / 4;
    for (size_t w = 0; w < words; ++w) {
        records[w / 20].SetWord(int(w % 20), ReadWord(bytes + 4 + 4 * w));
    }
    return complete ? PresetsRead::Read : PresetsRead::Failed;
}

PresetsWrite WritePresetsFile(const std::string& path,
                              const PresetRecord (&records)[kPresetSlots]) {
    std::vector<unsigned char> bytes;
    bytes.reserve(kPresetsFileBytes);
    PutWord(bytes, 0);
    for (const PresetRecord& slot : records) {
        for (const uint32_t word : slot.Words()) PutWord(bytes, word);
    }

    files::ReplaceStep step;
    const std::error_code error = files::ReplaceFile(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &step);
    if (!error) return PresetsWrite::Written;
    // A target that cannot be replaced is like one that cannot be opened.
    return step == files::ReplaceStep::Write ? PresetsWrite::Failed : PresetsWrite::NotOpened;
}

FileCopy CopyWholeFile(const std::string& source, const std::string& target) {
    struct stat status {};
    if (stat(source.c_str(), &status) != 0) return FileCopy::NoSource;
    Descriptor from(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.Get() < 0 || fstat(from.Get(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return FileCopy::NotOpened;
    }
    Descriptor to(open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (to.Get() < 0) return FileCopy::NotOpened;
    // As many bytes as the source holds when the copy starts.
    std::vector<unsigned char> buffer(64 * 1024);
    off_t remaining = status.st_size;
    while (remaining > 0) {
        size_t count = 0;
        const size_t want = size_t(std::min<off_t>(remaining, off_t(buffer.size())));
        if (!ReadUpTo(from.Get(), buffer.data(), want, count) || count == 0)
            return FileCopy::Failed;
        if (!WriteAll(to.Get(), buffer.data(), count)) return FileCopy::Failed;
        remaining -= off_t(count);
    }
    if (fsync(to.Get()) != 0 || !to.Close()) return FileCopy::Failed;
    return FileCopy::Copied;
}
