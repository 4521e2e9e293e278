#pragma once
// The files of the presets: the presets file (a format word and five records)
// and byte-for-byte copies of the crop selection files. Nothing here shows a
// message; callers decide what the operator sees.

#include <string>
#include <string_view>

#include "dialogs/PresetRecord.h"

enum class PresetsRead {
    // No file (or no folder): nothing read.
    Missing,
    // The format word is not 0, or the file is too short to hold one.
    Incompatible,
    Read,
    // The file failed in the middle; the words before the failure were read.
    Failed,
};

// Fills the records word by word from the file; words past its end keep their
// values, bytes past the five records are ignored. The records stay untouched
// unless the format word is 0.
PresetsRead ReadPresetsFile(const std::string& path, PresetRecord (&records)[kPresetSlots]);
// The same for the first bytes of a presets file; `complete` is false when
// reading failed after them.
PresetsRead PresetsFromBytes(std::string_view bytes, bool complete,
                             PresetRecord (&records)[kPresetSlots]);

enum class PresetsWrite {
    Written,
    // The file could not be created (no folder, no permission): nothing written.
    NotOpened,
    // Writing failed in the middle; the previous file is left as it was.
    Failed,
};

// Replaces the file with format word 0 and the five records in one step.
PresetsWrite WritePresetsFile(const std::string& path, const PresetRecord (&records)[kPresetSlots]);

enum class FileCopy {
    // The source does not exist: nothing done.
    NoSource,
    // The source or the copy could not be opened: nothing more done.
    NotOpened,
    Copied,
    // Reading or writing failed in the middle.
    Failed,
};

// Replaces the target with the source's bytes in one step.
FileCopy CopyWholeFile(const std::string& source, const std::string& target);
