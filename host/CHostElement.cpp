#include "host/CHostElement.h"

void CHostElement::Attach(LPDISPATCH element) {
    AttachDispatch(element, TRUE);
    TINTORA_HOST_ELEMENT_MEMBERS(TINTORA_RESOLVE_DISPID)
}

std::unique_ptr<CHostImage> CHostElement::GetRGBAImage() {
    return ReadObjectProperty<CHostImage>(*this, m_dispidRGBAImage);
}

void CHostElement::SetRGBAImage(LPDISPATCH image) {
    static const BYTE params[] = VTS_DISPATCH;
    InvokeHelper(m_dispidRGBAImage, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, image);
}
