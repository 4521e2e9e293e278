#pragma once
// Replacing a file's contents as one step, for every file the system writes
// (presets, the registry store, pictures, selections, scenes).

#include <string>
#include <string_view>
#include <system_error>

namespace files {

// Replaces the file at `path` with `bytes`: a reader sees the old contents or
// the new ones, never a part. The bytes go to a temporary file created
// exclusively, with an unpredictable name, in the target's folder; it is
// synced and renamed over the target. No symbolic link is followed when the
// temporary is made; a target that is a link keeps being one, and the file it
// points to is replaced. An existing target keeps its permission bits; a new
// one gets 0666 less the umask. On failure the target is untouched, nothing is
// left behind, the error says why and, when asked, the step that failed.
enum class ReplaceStep {
    Create,  // the temporary file could not be made (no folder, no permission)
    Write,   // writing or syncing it failed
    Rename,  // it could not take the target's place
};
std::error_code ReplaceFile(const std::string& path, std::string_view bytes,
                            ReplaceStep* failedStep = nullptr);

// The message for a failed write of `path`: "cannot write PATH: REASON".
std::string WriteErrorText(const std::string& path, std::error_code error);

}  // namespace files
