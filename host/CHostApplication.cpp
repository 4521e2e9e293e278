#include "host/CHostApplication.h"

void CHostApplication::Attach(LPDISPATCH application) {
    if (application) application->AddRef();
    AttachDispatch(application, TRUE);
    TINTORA_HOST_APPLICATION_MEMBERS(TINTORA_RESOLVE_DISPID)
}

LONG CHostApplication::RegisterMenuItem(LPCSTR pluginName, LPCSTR menuPath, LPCSTR methodName) {
    static const BYTE params[] = VTS_BSTR VTS_BSTR VTS_BSTR;
    LONG result = 0;
    InvokeHelper(m_dispidRegisterMenuItem, DISPATCH_METHOD, VT_I4, &result, params, pluginName,
                 menuPath, methodName);
    return result;
}

LONG CHostApplication::RegisterObjectProperty(LPCSTR pluginName, LPCSTR propertyName, LONG flags,
                                              LPCSTR text1, const VARIANT& classNames,
                                              LPCSTR text2) {
    static const BYTE params[] = VTS_BSTR VTS_BSTR VTS_I4 VTS_BSTR VTS_VARIANT VTS_BSTR;
    LONG result = 0;
    InvokeHelper(m_dispidRegisterObjectProperty, DISPATCH_METHOD, VT_I4, &result, params,
                 pluginName, propertyName, flags, text1, &classNames, text2);
    return result;
}

LONG CHostApplication::RegisterObjectPropertyEditor(LPCSTR pluginName, LPCSTR progId,
                                                    const VARIANT& classNames) {
    static const BYTE params[] = VTS_BSTR VTS_BSTR VTS_VARIANT;
    LONG result = 0;
    InvokeHelper(m_dispidRegisterObjectPropertyEditor, DISPATCH_METHOD, VT_I4, &result, params,
                 pluginName, progId, &classNames);
    return result;
}

std::unique_ptr<CHostCanvas> CHostApplication::GetActiveCanvas() {
    return ReadObjectProperty<CHostCanvas>(*this, m_dispidActiveCanvas);
}
