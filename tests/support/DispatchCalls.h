#pragma once
// Late-bound calls as a host makes them: names resolved by GetIDsOfNames,
// arguments in declaration order, results and exceptions returned.

#include <string>
#include <vector>

#include "platform/automation/ComPtr.h"
#include "platform/automation/Variant.h"

inline DISPID DispIdOf(IDispatch* object, const std::string& name) {
    std::u16string wide = WideFromNarrow(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = 0;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// One call, a method's by default, and what came back. The arguments stay the
// caller's; the callee sees them last to first, and a property put gets its
// value as the one named argument.
struct CallResult {
    CallResult(IDispatch* object, DISPID id, std::vector<VARIANT> args,
               WORD flags = DISPATCH_METHOD) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        const bool named = flags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), named ? &put : nullptr, UINT(reversed.size()), named};
        hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &value, &exception,
                            nullptr);
    }
    CallResult(IDispatch* object, const std::string& name, std::vector<VARIANT> args,
               WORD flags = DISPATCH_METHOD)
        : CallResult(object, DispIdOf(object, name), std::move(args), flags) {}
    CallResult(const CallResult&) = delete;
    CallResult& operator=(const CallResult&) = delete;
    ~CallResult() {
        VariantClear(&value);
        ScopedBstr::Adopt(exception.bstrDescription);
        ScopedBstr::Adopt(exception.bstrSource);
    }

    HRESULT hr = E_FAIL;
    VARIANT value{};
    EXCEPINFO exception{};
};

inline VARIANT DispatchArg(IDispatch* object) {
    VARIANT v{};
    v.vt = VT_DISPATCH;
    v.pdispVal = object;  // borrowed, as a host passes its own objects
    return v;
}

inline VARIANT BoolOut(VARIANT_BOOL* status) {
    VARIANT v{};
    v.vt = VT_BYREF | VT_BOOL, v.pboolVal = status;
    return v;
}

inline VARIANT Empty() { return VARIANT{}; }
