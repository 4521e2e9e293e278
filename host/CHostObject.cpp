#include "host/CHostObject.h"

void CHostObject::Attach(LPDISPATCH object) {
    AttachDispatch(object, TRUE);
    TINTORA_HOST_OBJECT_MEMBERS(TINTORA_RESOLVE_DISPID)
}

LONG CHostObject::GetType() {
    LONG type = 0;
    GetProperty(m_dispidType, VT_I4, &type);
    return type;
}

std::unique_ptr<CHostElement> CHostObject::Element(LONG index) {
    static const BYTE params[] = VTS_I4;
    LPDISPATCH element = nullptr;
    InvokeHelper(m_dispidElement, DISPATCH_METHOD, VT_DISPATCH, &element, params, index);
    if (!element) return nullptr;
    auto driver = std::make_unique<CHostElement>();
    driver->Attach(element);
    return driver;
}
