#include "platform/tarsel/TarselCanvas.h"

namespace tarsel {

TarselCanvas* TarselCanvas::Create(TarselScene* scene) { return new TarselCanvas(scene); }

TarselCanvas::TarselCanvas(TarselScene* scene) : DispatchObject("Canvas") {
    m_scene = ComPtr<TarselScene>(scene);
    AddMember(kIdScene, "Scene", DISPATCH_PROPERTYGET, [this](Invocation& call) {
        call.ReturnDispatch(m_scene.Get());
        return S_OK;
    });
}

}  // namespace tarsel
