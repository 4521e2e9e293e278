#pragma once
// Late-bound calls as a host makes them: names resolved by GetIDsOfNames,
// arguments in declaration order, results and exceptions returned.

#include <string>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"

inline DISPID DispIdOf(IDispatch* object, const std::string& name) {
    std::u16string wide = WideFromNarrow(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = 0;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

struct CallResult {
    HRESULT hr;
    VARIANT value;
    EXCEPINFO exception;

    ~CallResult() {
        VariantClear(&value);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);
    }
};

// The arguments stay the caller's; the callee sees them last to first.
inline void InvokeMethod(IDispatch* object, DISPID id, std::vector<VARIANT> args, CallResult& out) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    VariantInit(&out.value);
    out.exception = EXCEPINFO{};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &out.value,
                            &out.exception, nullptr);
}

inline VARIANT DispatchArg(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;  // borrowed, as a host passes its own objects
    return v;
}

inline VARIANT BoolOut(VARIANT_BOOL* status) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = status;
    return v;
}

inline VARIANT Empty() {
    VARIANT v;
    VariantInit(&v);
    return v;
}
