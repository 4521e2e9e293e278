#include "platform/tarsel/TarselScene.h"

namespace tarsel {

TarselScene* TarselScene::Create() { return new TarselScene(); }

TarselScene::TarselScene() : DispatchObject("Scene") {
    AddMember(kIdActiveObject, "ActiveObject", DISPATCH_PROPERTYGET, [this](Invocation& call) {
        call.ReturnDispatch(m_active.Get());
        return S_OK;
    });
}

}  // namespace tarsel
