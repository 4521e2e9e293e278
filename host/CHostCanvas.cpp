#include "host/CHostCanvas.h"

void CHostCanvas::Attach(LPDISPATCH canvas) {
    AttachDispatch(canvas, TRUE);
    TINTORA_HOST_CANVAS_MEMBERS(TINTORA_RESOLVE_DISPID)
}

std::unique_ptr<CHostScene> CHostCanvas::GetScene() {
    return ReadObjectProperty<CHostScene>(*this, m_dispidScene);
}
