#pragma once
// Selection files: a selection saved with the size of the picture it was
// made for. All numbers are unsigned 32-bit, little-endian:
//
//   offset      size  content
//   0           4     "TSEL"
//   4           4     format version, 1
//   8           4     picture width in pixels (at most 16384)
//   12          4     picture height in pixels (at most 16384; width x height
//                     at most 128 Mi pixels)
//   16          4     N, the number of runs
//   20          12 N  the runs: row (0 is the top row, as the picture appears
//                     upright), first column, length in pixels (at least 1);
//                     ordered by row, then column, never overlapping, inside
//                     the picture
//   20 + 12 N   4     CRC-32 (as zlib and PNG compute it) of every byte before it
//
// A file that breaks any of these rules is refused whole.

#include <optional>
#include <string>
#include <string_view>

#include "platform/imageview/SelectionMask.h"

namespace imageview {

constexpr uint32_t kSelectionFileVersion = 1;

struct SelectionRead {
    std::optional<SelectionMask> selection;
    // Why the file cannot be used; empty when selection holds it.
    std::string error;
};

SelectionRead ReadSelectionFile(const std::string& path);
// The same for a file's bytes; `file` begins every message ("The selection file X").
SelectionRead SelectionFromBytes(std::string_view bytes, const std::string& file);

// The file's bytes for a selection, every run as long as it can be.
std::string SelectionFileBytes(const SelectionMask& selection);

// Replaces the file in one step (temporary file, then rename). Returns why it
// failed, or "".
std::string WriteSelectionFile(const SelectionMask& selection, const std::string& path);

}  // namespace imageview
