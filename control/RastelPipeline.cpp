// The pipeline: one effect on the target's current image, its output handed
// back to the host.

#include <cmath>
#include <limits>

#include "control/CRastelCtrl.h"
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

// Truncation toward zero; values beyond an int (never given by the dialog)
// are held to its range.
int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(value);
}

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
    if (!WriteHostPixels(*image, m_pDst, m_nDstWidth, m_nDstHeight, "BGRA")) {
        AfxMessageBox(engine::kOutOfMemory);
        return 0;
    }
    m_target.SetRGBAImage(image->m_lpDispatch);
    return 0;
}

int CRastelCtrl::RunSelectedEffect() {
    switch (m_nEffectCode) {
        case EFFECT_BORDER: return ApplyBorder();
        case EFFECT_SHADOW: return ApplyOffsetShadow();
        case EFFECT_FOCUS: return ApplyFocus();
        case EFFECT_MOTION_BLUR: return anti_flickering(false);
        case EFFECT_MATTE: return ApplyMatte(false);
        case EFFECT_EMBOSS:
            return ApplyEmbossBevel(TruncateToInt(m_dDir), 60, 1, TruncateToInt(m_dPct));
        case EFFECT_BEVEL:
            return ApplyEmbossBevel(TruncateToInt(m_dDir), 40, 4, TruncateToInt(m_dPct));
        case EFFECT_CROP_MATTE: return ApplyMatte(true);
        case EFFECT_GRAYSCALE: return ApplyGrayscale();
        // The More Effects of the image library, and any code without a route
        // of its own, which passes the picture through the library unchanged.
        default: return ApplyMagickEffect(m_nEffectCode);
    }
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
    m_pDst = output.Release();
    return 0;
}

int CRastelCtrl::ApplyFocus() { return AdoptResult(engine::Focus(SourceView(), m_nSize)); }
