#include "platform/automation/DispatchDriver.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"

namespace {

std::string DescribeError(HRESULT error, const std::string& description) {
    if (description.empty() && !KnownErrorText(error).empty()) return KnownErrorText(error);
    char code[32];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error));
    return description.empty() ? std::string("dispatch call failed: ") + code
                               : description + " (" + code + ")";
}

[[noreturn]] void ThrowDispatch(HRESULT error, std::string description = {},
                                std::string source = {}) {
    throw COleDispatchException(error, std::move(description), std::move(source));
}

// Builds one argument VARIANT from the next variadic value.
VARIANT TakeArgument(BYTE code, va_list& args) {
    VARIANT v;
    VariantInit(&v);
    if (code & VT_MFCBYREF) {
        const VARTYPE base = code & ~VT_MFCBYREF;
        v.vt = static_cast<VARTYPE>(VT_BYREF | base);
        v.byref = va_arg(args, void*);
        return v;
    }
    v.vt = code;
    switch (code) {
        case VT_I1: v.cVal = static_cast<CHAR>(va_arg(args, int)); break;
        case VT_UI1: v.bVal = static_cast<BYTE>(va_arg(args, int)); break;
        case VT_I2: v.iVal = static_cast<SHORT>(va_arg(args, int)); break;
        case VT_I4: v.lVal = static_cast<LONG>(va_arg(args, int)); break;
        case VT_I8: v.llVal = va_arg(args, long long); break;
        case VT_R4: v.fltVal = static_cast<FLOAT>(va_arg(args, double)); break;
        case VT_R8: v.dblVal = va_arg(args, double); break;
        case VT_BOOL: v.boolVal = va_arg(args, int) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_BSTR: {
            const char* text = va_arg(args, const char*);
            v.bstrVal = BstrFromNarrow(text ? text : "");
            break;
        }
        case VT_DISPATCH: v.pdispVal = va_arg(args, IDispatch*); break;
        case VT_UNKNOWN: v.punkVal = va_arg(args, IUnknown*); break;
        case VT_VARIANT: {
            // Passed by value: a shallow copy that this call does not own.
            const VARIANT* source = va_arg(args, const VARIANT*);
            if (source) v = *source;
            break;
        }
        default: ThrowDispatch(DISP_E_BADVARTYPE, "unsupported parameter type");
    }
    return v;
}

// Frees what TakeArgument allocated: only the strings it converted.
void ReleaseArguments(std::vector<VARIANT>& values, const std::vector<BYTE>& codes) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (codes[i] == VT_BSTR) VariantClear(&values[i]);
    }
}

void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    if (vtRet == VT_EMPTY || !pvRet) {
        VariantClear(&result);
        return;
    }
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;  // ownership passes to the caller
        return;
    }
    if (vtRet == VT_DISPATCH && (result.vt == VT_EMPTY || result.vt == VT_NULL)) {
        *static_cast<LPDISPATCH*>(pvRet) = nullptr;
        return;
    }
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = VariantChangeType(&converted, &result, 0, vtRet);
    VariantClear(&result);
    if (FAILED(hr)) ThrowDispatch(hr, "result has the wrong type");
    switch (vtRet) {
        case VT_I4: *static_cast<LONG*>(pvRet) = converted.lVal; break;
        case VT_I8: *static_cast<LONGLONG*>(pvRet) = converted.llVal; break;
        case VT_BOOL: *static_cast<BOOL*>(pvRet) = converted.boolVal != 0; break;
        case VT_R8: *static_cast<double*>(pvRet) = converted.dblVal; break;
        case VT_BSTR: *static_cast<std::string*>(pvRet) = NarrowFromBstr(converted.bstrVal); break;
        case VT_DISPATCH:
            *static_cast<LPDISPATCH*>(pvRet) = converted.pdispVal;
            return;  // the reference moves to the caller
        default: break;
    }
    VariantClear(&converted);
}

}  // namespace

std::string KnownErrorText(HRESULT error) {
    return error == E_OUTOFMEMORY ? "Out of Memory" : std::string();
}

COleDispatchException::COleDispatchException(HRESULT error, std::string description,
                                             std::string source)
    : m_scError(error),
      m_strDescription(std::move(description)),
      m_strSource(std::move(source)),
      m_what(DescribeError(error, m_strDescription)) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease)
    : m_lpDispatch(dispatch), m_bAutoRelease(autoRelease) {}

COleDispatchDriver::~COleDispatchDriver() { ReleaseDispatch(); }

void COleDispatchDriver::AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease) {
    ReleaseDispatch();
    m_lpDispatch = dispatch;
    m_bAutoRelease = autoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    if (m_lpDispatch && m_bAutoRelease) m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

void COleDispatchDriver::InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* paramInfo, ...) {
    if (!m_lpDispatch) ThrowDispatch(E_UNEXPECTED, "no dispatch object attached");

    std::vector<BYTE> codes;
    for (const BYTE* p = paramInfo; p && *p; ++p) codes.push_back(*p);
    std::vector<VARIANT> values;
    values.reserve(codes.size());
    va_list args;
    va_start(args, paramInfo);
    try {
        for (BYTE code : codes) values.push_back(TakeArgument(code, args));
    } catch (...) {
        va_end(args);
        ReleaseArguments(values, codes);
        throw;
    }
    va_end(args);

    // The callee receives the arguments last to first.
    std::vector<VARIANT> reversed(values.rbegin(), values.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && !reversed.empty()) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep;
    UINT argErr = 0;
    const HRESULT hr = m_lpDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                            vtRet == VT_EMPTY ? nullptr : &result, &excep, &argErr);
    ReleaseArguments(values, codes);
    if (FAILED(hr)) {
        VariantClear(&result);
        if (hr == DISP_E_EXCEPTION) {
            const ScopedBstr description = ScopedBstr::Adopt(excep.bstrDescription);
            const ScopedBstr source = ScopedBstr::Adopt(excep.bstrSource);
            const ScopedBstr helpFile = ScopedBstr::Adopt(excep.bstrHelpFile);
            const HRESULT code = excep.scode ? excep.scode : hr;
            ThrowDispatch(code, description.Narrow(), source.Narrow());
        }
        ThrowDispatch(hr);
    }
    StoreResult(result, vtRet, pvRet);
}

void COleDispatchDriver::GetProperty(DISPID id, VARTYPE vtProp, void* value) {
    InvokeHelper(id, DISPATCH_PROPERTYGET, vtProp, value, nullptr);
}
