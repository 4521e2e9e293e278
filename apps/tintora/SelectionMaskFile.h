#pragma once
// The mask a crop with a saved selection runs on: the picture the crop
// dialog's view makes from that selection for the picture to crop (white
// inside, black outside, a selection for another size cut to this one),
// written as a file for the crop effect into a temporary folder of its own
// that goes when the object goes.

#include <cstdint>
#include <string>

#include "engine/Result.h"

class SelectionMaskFile {
public:
    // The error names the selection file and says why it cannot be used.
    static engine::Result<SelectionMaskFile> Make(const std::string& selectionPath, int32_t width,
                                                  int32_t height);

    SelectionMaskFile(SelectionMaskFile&& other) noexcept;
    SelectionMaskFile& operator=(SelectionMaskFile&&) = delete;
    ~SelectionMaskFile();

    const std::string& Path() const { return m_path; }

private:
    SelectionMaskFile(std::string folder, std::string path)
        : m_folder(std::move(folder)), m_path(std::move(path)) {}

    std::string m_folder;  // removed with everything in it; empty once moved from
    std::string m_path;
};
