// The pipeline: one effect on the target's current image, its output handed
// back to the host.

#include "control/CRastelCtrl.h"
#include "control/EffectTable.h"
#include "control/HostPixels.h"
#include "engine/Focus.h"
#include "platform/prompts/Prompts.h"

namespace {

// Ends one pipeline run on every path, a failing host call included: the
// output is released and the borrowed source forgotten.
class PipelineRun {
public:
    explicit PipelineRun(CRastelCtrl& control) : m_control(control) {}
    ~PipelineRun() {
        m_control.FreeResult();
        m_control.m_pSrc = nullptr;
    }
    PipelineRun(const PipelineRun&) = delete;
    PipelineRun& operator=(const PipelineRun&) = delete;

private:
    CRastelCtrl& m_control;
};

}  // namespace

LONG CRastelCtrl::ApplyEffect() {
    auto image = ReachImage();
    if (!image) return 0;
    PipelineRun run(*this);
    const auto pixels = ReadHostPixels(*image);
    if (!pixels) return 0;
    m_pSrc = pixels->data;
    m_nSrcWidth = pixels->width;
    m_nSrcHeight = pixels->height;

    if (RunSelectedEffect() != 0 || !m_pDst) return 0;
    if (!WriteHostPixels(*image, m_pDst.get(), m_nDstWidth, m_nDstHeight, "BGRA")) {
        AfxMessageBox(engine::kOutOfMemory);
        return 0;
    }
    m_target.SetRGBAImage(image->m_lpDispatch);
    return 0;
}

int CRastelCtrl::RunSelectedEffect() {
    // A code without an entry passes the picture through the image library unchanged.
    const effects::EffectEntry* effect = effects::FindEffect(m_nEffectCode);
    return effect ? effect->run(*this) : ApplyMagickEffect(m_nEffectCode);
}

engine::RasterView CRastelCtrl::SourceView() const { return {m_pSrc, m_nSrcWidth, m_nSrcHeight}; }

int CRastelCtrl::AdoptResult(engine::Result<engine::Raster>&& result) {
    for (const std::string& notice : result.Notices()) AfxMessageBox(notice);
    if (!result) {
        AfxMessageBox(result.Error());
        return 1;
    }
    FreeResult();
    engine::Raster& output = result.Value();
    m_nDstWidth = output.Width();
    m_nDstHeight = output.Height();
    m_pDst = output.TakeBytes();
    return 0;
}

int CRastelCtrl::ApplyFocus() { return AdoptResult(engine::Focus(SourceView(), m_nSize)); }
