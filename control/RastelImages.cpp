// Snapshots of the target's image, writing them back, copies and TGA export.

#include "control/CRastelCtrl.h"
#include "control/HostPixels.h"
#include "engine/KeptBlocks.h"
#include "engine/PictureFile.h"
#include "platform/prompts/Prompts.h"

#include <cstring>

namespace {

constexpr const char* kOrderBgra = "BGRA";
constexpr const char* kOrderRgba = "RGBA";

}  // namespace

CRastelCtrl::~CRastelCtrl() {
    // The working images go back to the engine first; what it keeps of them
    // for the next effect is not needed without a control.
    m_pDst.reset();
    m_pOriginal.reset();
    m_pCheckpoint.reset();
    engine::FreeKeptBlocks();
}

std::unique_ptr<CHostImage> CRastelCtrl::ReachImage() {
    if (!m_target.m_lpDispatch) return nullptr;
    return m_target.GetRGBAImage();
}

LONG CRastelCtrl::SnapshotImage(int slot) {
    auto image = ReachImage();
    if (!image) return 0;
    const auto pixels = ReadHostPixels(*image);
    if (!pixels) return 0;

    const bool original = slot == SLOT_ORIGINAL;
    engine::RasterBytes& raster = original ? m_pOriginal : m_pCheckpoint;
    int32_t& width = original ? m_nOriginalWidth : m_nCheckpointWidth;
    int32_t& height = original ? m_nOriginalHeight : m_nCheckpointHeight;
    // The old raster goes before the new one is allocated.
    raster.reset();
    raster = engine::AllocateRasterBytes(pixels->width, pixels->height);
    if (!raster) {
        width = height = 0;
        AfxMessageBox(engine::kOutOfMemory);
        return 0;
    }
    width = pixels->width;
    height = pixels->height;
    std::memcpy(raster.get(), pixels->data,
                size_t(width) * size_t(height) * engine::kBytesPerPixel);
    return 0;
}

LONG CRastelCtrl::RestoreImage(int slot) {
    auto image = ReachImage();
    if (!image) return 0;
    const bool original = slot == SLOT_ORIGINAL;
    const BYTE* raster = (original ? m_pOriginal : m_pCheckpoint).get();
    if (!raster) return 0;
    const int32_t width = original ? m_nOriginalWidth : m_nCheckpointWidth;
    const int32_t height = original ? m_nOriginalHeight : m_nCheckpointHeight;
    // Handing the blue-first bytes over as "RGBA" shows red and blue exchanged.
    const char* order = original && m_bSwapRedBlue ? kOrderRgba : kOrderBgra;
    if (!WriteHostPixels(*image, raster, width, height, order)) {
        AfxMessageBox(engine::kOutOfMemory);
        return 0;
    }
    m_target.SetRGBAImage(image->m_lpDispatch);
    return 0;
}

engine::RasterBytes CRastelCtrl::FetchImageCopy(int32_t& width, int32_t& height, bool swapRedBlue) {
    width = height = 0;
    auto image = ReachImage();
    if (!image) return nullptr;
    const auto pixels = ReadHostPixels(*image);
    if (!pixels) return nullptr;
    engine::RasterBytes copy = engine::AllocateRasterBytes(pixels->width, pixels->height);
    if (!copy) {
        AfxMessageBox(engine::kOutOfMemory);
        return nullptr;
    }
    const size_t count = size_t(pixels->width) * size_t(pixels->height);
    if (!swapRedBlue) {
        std::memcpy(copy.get(), pixels->data, count * engine::kBytesPerPixel);
    } else {
        for (size_t i = 0; i < count; ++i) {
            const BYTE* s = pixels->data + i * 4;
            BYTE* d = copy.get() + i * 4;
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
            d[3] = s[3];
        }
    }
    width = pixels->width;
    height = pixels->height;
    return copy;
}

LONG CRastelCtrl::ExportTga() {
    int32_t width = 0;
    int32_t height = 0;
    const engine::RasterBytes copy = FetchImageCopy(width, height, true);
    if (!copy) return 0;
    // The copy is in red-green-blue order, so the library is told so.
    const engine::Result<> written = engine::WritePictureFile(
        m_strExportPath, {copy.get(), width, height}, "tga", engine::PixelOrder::Rgba);
    if (!written) AfxMessageBox(written.Error());
    return 0;
}

void CRastelCtrl::FreeResult() { m_pDst.reset(); }
