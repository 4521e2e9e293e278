#include "apps/tintora/SelectionMaskFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "apps/tintora/PictureFiles.h"
#include "platform/imageview/SelectionMaskPicture.h"

engine::Result<SelectionMaskFile> SelectionMaskFile::Make(const std::string& selectionPath,
                                                          int32_t width, int32_t height) {
    using MaskResult = engine::Result<SelectionMaskFile>;
    imageview::MaskPicture mask = imageview::MaskFromSelectionFile(selectionPath, width, height);
    if (!mask.error.empty()) return MaskResult::Failure(mask.error);

    std::error_code error;
    std::string folder =
        (std::filesystem::temp_directory_path(error) / "tintora-mask-XXXXXX").string();
    if (error || !mkdtemp(folder.data())) {
        return MaskResult::Failure("cannot make a temporary folder for the selection's mask");
    }
    SelectionMaskFile file(folder, folder + "/tintoraOut.tga");
    const Picture picture{mask.width, mask.height, std::move(mask.bgra)};
    if (const engine::Result<> written = WritePicture(file.Path(), picture); !written) {
        return MaskResult::Failure(written.Error());
    }
    return file;
}

SelectionMaskFile::SelectionMaskFile(SelectionMaskFile&& other) noexcept
    : m_folder(std::exchange(other.m_folder, {})), m_path(std::move(other.m_path)) {}

SelectionMaskFile::~SelectionMaskFile() {
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
}
