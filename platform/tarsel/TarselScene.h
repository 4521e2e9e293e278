#pragma once

#include "platform/tarsel/TarselSceneObject.h"

namespace tarsel {

// The scene on a canvas, with the object the operator has selected.
class TarselScene : public DispatchObject {
public:
    static TarselScene* Create();
    void SetActiveObject(TarselSceneObject* object) {
        m_active = ComPtr<TarselSceneObject>(object);
    }

private:
    TarselScene();
    ComPtr<TarselSceneObject> m_active;
};

}  // namespace tarsel
