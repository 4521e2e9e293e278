#pragma once

#include "platform/tarsel/TarselScene.h"

namespace tarsel {

// A canvas showing one scene.
class TarselCanvas : public DispatchObject {
public:
    static TarselCanvas* Create(TarselScene* scene);
    void SetScene(TarselScene* scene) { m_scene = ComPtr<TarselScene>(scene); }

private:
    explicit TarselCanvas(TarselScene* scene);
    ComPtr<TarselScene> m_scene;
};

}  // namespace tarsel
