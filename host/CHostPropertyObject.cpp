#include "host/CHostPropertyObject.h"

void CHostPropertyObject::Attach(LPDISPATCH propertyObject, BOOL autoRelease) {
    AttachDispatch(propertyObject, autoRelease);
    TINTORA_HOST_PROPERTY_OBJECT_MEMBERS(TINTORA_RESOLVE_DISPID)
}

std::unique_ptr<CHostElement> CHostPropertyObject::GetOwnerElement() {
    return ReadObjectProperty<CHostElement>(*this, m_dispidOwnerElement);
}
