#include "host/CHostImage.h"

void CHostImage::Attach(LPDISPATCH image) {
    AttachDispatch(image, TRUE);
    TINTORA_HOST_IMAGE_MEMBERS(TINTORA_RESOLVE_DISPID)
}

void CHostImage::GetImageData(VARIANT* data, VARIANT* width, VARIANT* height) {
    static const BYTE params[] = VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    InvokeHelper(m_dispidGetImageData, DISPATCH_METHOD, VT_EMPTY, nullptr, params, data, width,
                 height);
}

void CHostImage::FromRGBA(const VARIANT& data, LONG width, LONG height, const VARIANT& order) {
    static const BYTE params[] = VTS_VARIANT VTS_I4 VTS_I4 VTS_VARIANT;
    InvokeHelper(m_dispidFromRGBA, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &data, width, height,
                 &order);
}
