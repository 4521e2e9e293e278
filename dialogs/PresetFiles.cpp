#include "dialogs/PresetFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

#include "platform/files/AtomicFile.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/WholeFile.h"

namespace {

// The largest selection file the crop dialog's view writes is well below this.
constexpr uint64_t kMaxCopyBytes = 1ULL << 30;

uint32_t ReadWord(const unsigned char* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void PutWord(std::vector<unsigned char>& bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(word >> shift));
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

}  // namespace

PresetsRead ReadPresetsFile(const std::string& path, PresetRecord (&records)[kPresetSlots]) {
    // Non-blocking, so that a FIFO in its place is refused at once, not waited on.
    files::FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) return PresetsRead::Missing;
    struct stat status {};
    if (fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return PresetsRead::Missing;

    unsigned char bytes[kPresetsFileBytes];
    size_t count = 0;
    const bool complete = ReadUpTo(file.Get(), bytes, sizeof bytes, count);
    return PresetsFromBytes({reinterpret_cast<const char*>(bytes), count}, complete, records);
}

PresetsRead PresetsFromBytes(std::string_view text, bool complete,
                             PresetRecord (&records)[kPresetSlots]) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t count = std::min(text.size(), kPresetsFileBytes);
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
    const files::WholeFile from = files::ReadWholeFile(source, kMaxCopyBytes);
    if (from.problem == files::ReadProblem::Missing) return FileCopy::NoSource;
    if (!from) return FileCopy::NotOpened;
    files::ReplaceStep step;
    if (files::ReplaceFile(target, from.bytes, &step)) {
        return step == files::ReplaceStep::Create ? FileCopy::NotOpened : FileCopy::Failed;
    }
    return FileCopy::Copied;
}
