// The effect members of the control: each adapts the parameter record to one
// engine effect and keeps the record's side effects.

#include <string>

#include "control/CRastelCtrl.h"
#include "control/EffectTable.h"
#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/Grayscale.h"
#include "engine/MagickEffect.h"
#include "engine/Matte.h"
#include "engine/MatteFile.h"
#include "engine/OffsetShadow.h"
#include "platform/prompts/Prompts.h"

namespace {

engine::MutableRasterView MutableSource(CRastelCtrl& control) {
    return {control.m_pSrc, control.m_nSrcWidth, control.m_nSrcHeight};
}

// The blur of a colour layer (border, shadow) runs through the record's blur
// sizes, which keep it.
int32_t TakeLayerBlur(CRastelCtrl& control) {
    if (control.m_nBlur > 0) control.m_nBlurX = control.m_nBlurY = control.m_nBlur;
    return control.m_nBlur;
}

}  // namespace

int CRastelCtrl::ApplyBorder() {
    engine::BorderParams params;
    params.size = m_nSize;
    params.blur = TakeLayerBlur(*this);
    params.opacityPercent = m_nOpacity;
    params.color = engine::EffectColor::FromColorRef(m_crEffect);
    return AdoptResult(engine::Border(SourceView(), params));
}

int CRastelCtrl::ApplyOffsetShadow() {
    engine::OffsetShadowParams params;
    params.dx = m_nShadowX;
    params.dy = m_nShadowY;
    params.blur = TakeLayerBlur(*this);
    params.opacityPercent = m_nOpacity;
    params.color = engine::EffectColor::FromColorRef(m_crEffect);
    return AdoptResult(engine::OffsetShadow(SourceView(), params));
}

int CRastelCtrl::anti_flickering(bool keepOpaque) {
    return AdoptResult(engine::AntiFlicker(SourceView(), m_nBlurX, m_nBlurY, keepOpaque));
}

int CRastelCtrl::ApplyEmbossBevel(int azimuth, int elevation, int depth, int size) {
    engine::EmbossBevelParams params;
    params.azimuth = azimuth;
    params.elevation = elevation;
    params.depth = depth;
    params.size = size;
    return AdoptResult(engine::EmbossBevel(MutableSource(*this), params));
}

int CRastelCtrl::ApplyGrayscale() { return AdoptResult(engine::Grayscale(MutableSource(*this))); }

int CRastelCtrl::ApplyMagickEffect(uint32_t code) {
    engine::MagickEffectParams params;
    const effects::EffectEntry* effect = effects::FindEffect(code);
    params.operation = effect ? effect->libraryOperation : engine::MagickOperation::None;
    params.pct = m_dPct;
    params.color = engine::EffectColor::FromColorRef(m_crEffect);
    return AdoptResult(engine::MagickEffect(SourceView(), params));
}

int CRastelCtrl::ApplyMatte(bool crop) {
    engine::Result<engine::Raster> file = engine::ReadMatteFile(m_strMattePath);
    if (!file) return AdoptResult(std::move(file));
    engine::MatteParams params;
    params.offsetX = m_nMatteX;
    params.offsetY = m_nMatteY;
    params.inverse = m_bInverseMatte != FALSE;
    params.useAlpha = m_bMatteAlpha != FALSE;
    params.crop = crop;
    params.blurX = m_nBlurX;
    params.blurY = m_nBlurY;
    return AdoptResult(engine::Matte(SourceView(), file.Value().View(), params));
}
