#include "platform/tarsel/TarselPropertyObject.h"

namespace tarsel {

TarselPropertyObject* TarselPropertyObject::Create(TarselElement* owner) {
    return new TarselPropertyObject(owner);
}

TarselPropertyObject::TarselPropertyObject(TarselElement* owner)
    : DispatchObject("PropertyObject") {
    m_owner = ComPtr<TarselElement>(owner);
    AddMember(kIdOwnerElement, "OwnerElement", DISPATCH_PROPERTYGET, [this](Invocation& call) {
        call.ReturnDispatch(m_owner.Get());
        return S_OK;
    });
}

}  // namespace tarsel
