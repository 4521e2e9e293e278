#include "host/CHostScene.h"

void CHostScene::Attach(LPDISPATCH scene) {
    AttachDispatch(scene, TRUE);
    TINTORA_HOST_SCENE_MEMBERS(TINTORA_RESOLVE_DISPID)
}

std::unique_ptr<CHostObject> CHostScene::GetActiveObject() {
    return ReadObjectProperty<CHostObject>(*this, m_dispidActiveObject);
}
