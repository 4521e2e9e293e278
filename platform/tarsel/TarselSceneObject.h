#pragma once

#include <vector>

#include "platform/tarsel/TarselElement.h"

namespace tarsel {

// An object of a scene: a type and a list of elements.
class TarselSceneObject : public DispatchObject {
public:
    static constexpr LONG kGraphicType = 4;
    static TarselSceneObject* Create(LONG type);

    void AddElement(TarselElement* element);
    LONG Type() const { return m_type; }

private:
    explicit TarselSceneObject(LONG type);
    ~TarselSceneObject() override;

    LONG m_type;
    std::vector<ComPtr<TarselElement>> m_elements;
};

}  // namespace tarsel
