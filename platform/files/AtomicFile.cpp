#include "platform/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace files {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Follows symbolic links from `path` to the file they finally name, so the
// replacement lands there and the links stay links.
std::error_code ResolveLinks(std::filesystem::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return {};
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) return error;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

std::string RandomSuffix() {
    unsigned char bytes[8] = {};
    size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t n = getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (n > 0)
            filled += size_t(n);
        else if (errno != EINTR)
            break;
    }
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char b : bytes) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::error_code ReplaceFile(const std::string& path, std::string_view bytes,
                            ReplaceStep* failedStep) {
    ReplaceStep unused;
    ReplaceStep& step = failedStep ? *failedStep : unused;
    step = ReplaceStep::Create;
    std::filesystem::path target(path);
    if (std::error_code error = ResolveLinks(target)) return error;
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / ("." + target.filename().string() + "." + RandomSuffix() + ".tmp");
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return LastError();
    }
    if (fd < 0) return LastError();

    step = ReplaceStep::Write;
    std::error_code error;
    if (exists && fchmod(fd, existing.st_mode & 07777) != 0) error = LastError();
    if (!error && !WriteAll(fd, bytes)) error = LastError();
    if (!error && fsync(fd) != 0) error = LastError();
    if (close(fd) != 0 && !error) error = LastError();
    if (!error && std::rename(temporary.c_str(), target.c_str()) != 0) {
        step = ReplaceStep::Rename;
        error = LastError();
    }
    if (error) {
        unlink(temporary.c_str());
        return error;
    }
    SyncFolder(folder);
    return {};
}

std::string WriteErrorText(const std::string& path, std::error_code error) {
    return "cannot write " + path + ": " + error.message();
}

}  // namespace files
