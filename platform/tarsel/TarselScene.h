#pragma once

#include "platform/tarsel/TarselSceneObject.h"

namespace tarsel {

// The scene on a canvas, with the object the operator has selected.
class TarselScene : public DispatchObject {
public:
    static TarselScene* Create();
    void SetActiveObject(TarselSceneObject* object) { m_active.Reset(object); }

private:
    TarselScene();
    Ref<TarselSceneObject> m_active;
};

}  // namespace tarsel
