#pragma once

#include "platform/tarsel/TarselElement.h"

namespace tarsel {

// The property object handed to a property editor; it knows its owner element.
class TarselPropertyObject : public DispatchObject {
public:
    static TarselPropertyObject* Create(TarselElement* owner);

private:
    explicit TarselPropertyObject(TarselElement* owner);
    ComPtr<TarselElement> m_owner;
};

}  // namespace tarsel
