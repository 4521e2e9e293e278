#include "platform/com/EventSink.h"

#include "platform/automation/ComPtr.h"
#include "platform/automation/Variant.h"

ComPtr<EventSink> EventSink::Create(Handler handler) {
    return ComPtr<EventSink>::Adopt(new EventSink(std::move(handler)));
}

HRESULT EventSink::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG EventSink::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

// Events arrive by DISPID; a sink has no names to resolve.
HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO*, UINT*) {
    if (!params) return E_INVALIDARG;
    if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    // The handler may drop the last other reference (a dialog that ends).
    const ComPtr<EventSink> self(this);
    if (m_handler) {
        const Handler handler = m_handler;
        handler(id, *params);
    }
    return S_OK;
}
