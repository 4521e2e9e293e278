#include "platform/automation/Variant.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/automation/Bstr.h"
#include "platform/automation/SafeArray.h"

void VariantInit(VARIANT* v) {
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    if (!(v->vt & VT_BYREF)) {
        if (v->vt & VT_ARRAY) {
            if (v->parray) {
                HRESULT hr = SafeArrayDestroy(v->parray);
                if (FAILED(hr)) return hr;
            }
        } else {
            switch (v->vt) {
                case VT_BSTR: SysFreeString(v->bstrVal); break;
                case VT_DISPATCH:
                    if (v->pdispVal) v->pdispVal->Release();
                    break;
                case VT_UNKNOWN:
                    if (v->punkVal) v->punkVal->Release();
                    break;
                default: break;
            }
        }
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (dest == src) return S_OK;
    VARIANT copy = *src;
    if (!(src->vt & VT_BYREF)) {
        if (src->vt & VT_ARRAY) {
            if (src->parray) {
                HRESULT hr = SafeArrayCopy(src->parray, &copy.parray);
                if (FAILED(hr)) return hr;
            }
        } else if (src->vt == VT_BSTR) {
            if (src->bstrVal) {
                copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
                if (!copy.bstrVal) return E_OUTOFMEMORY;
            }
        } else if (src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) {
            if (src->punkVal) src->punkVal->AddRef();
        }
    }
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *dest = copy;
    return S_OK;
}

namespace {

// Reads a plain integer, boolean or floating VARIANT as a double or an integer.
struct Numeric {
    bool isFloat;
    LONGLONG integer;
    double real;
};

std::optional<Numeric> ReadNumeric(const VARIANT& v) {
    switch (v.vt) {
        case VT_I1: return Numeric{false, v.cVal, 0};
        case VT_UI1: return Numeric{false, v.bVal, 0};
        case VT_I2: return Numeric{false, v.iVal, 0};
        case VT_UI2: return Numeric{false, v.uiVal, 0};
        case VT_I4: return Numeric{false, v.lVal, 0};
        case VT_UI4: return Numeric{false, v.ulVal, 0};
        case VT_INT: return Numeric{false, v.intVal, 0};
        case VT_UINT: return Numeric{false, v.uintVal, 0};
        case VT_I8: return Numeric{false, v.llVal, 0};
        case VT_UI8:
            if (v.ullVal > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max())) {
                return std::nullopt;
            }
            return Numeric{false, static_cast<LONGLONG>(v.ullVal), 0};
        case VT_BOOL: return Numeric{false, v.boolVal ? -1 : 0, 0};
        case VT_R4: return Numeric{true, 0, v.fltVal};
        case VT_R8: return Numeric{true, 0, v.dblVal};
        default: return std::nullopt;
    }
}

const VARIANT* Dereference(const VARIANT* v, VARIANT& scratch) {
    if (!(v->vt & VT_BYREF)) return v;
    const VARTYPE base = v->vt & ~VT_BYREF;
    if (!v->byref) return nullptr;
    VariantInit(&scratch);
    switch (base) {
        case VT_VARIANT: return Dereference(v->pvarVal, scratch);
        case VT_I4: scratch.lVal = *v->plVal; break;
        case VT_I8: scratch.llVal = *v->pllVal; break;
        case VT_UI1: scratch.bVal = *v->pbVal; break;
        case VT_BOOL: scratch.boolVal = *v->pboolVal; break;
        default: return nullptr;
    }
    scratch.vt = base;
    return &scratch;
}

template <class T>
bool InRange(LONGLONG value) {
    return value >= static_cast<LONGLONG>(std::numeric_limits<T>::min()) &&
           (value < 0 ||
            static_cast<ULONGLONG>(value) <= static_cast<ULONGLONG>(std::numeric_limits<T>::max()));
}

}  // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD /*flags*/, VARTYPE vt) {
    if (!dest || !src) return E_INVALIDARG;
    VARIANT scratch;
    const VARIANT* value = Dereference(src, scratch);
    if (!value) return DISP_E_TYPEMISMATCH;
    if (value->vt == vt) return VariantCopy(dest, value);
    auto number = ReadNumeric(*value);
    if (!number) return DISP_E_TYPEMISMATCH;
    LONGLONG integer = number->integer;
    if (number->isFloat) {
        // The platform rounds half to even when it turns a real into an integer.
        const double rounded = std::nearbyint(number->real);
        if (vt != VT_R8 && vt != VT_R4 && !(rounded >= -9.2e18 && rounded <= 9.2e18)) {
            return DISP_E_OVERFLOW;
        }
        integer = static_cast<LONGLONG>(rounded);
    }
    VARIANT out;
    VariantInit(&out);
    out.vt = vt;
    switch (vt) {
        case VT_I1:
            if (!InRange<int8_t>(integer)) return DISP_E_OVERFLOW;
            out.cVal = static_cast<CHAR>(integer);
            break;
        case VT_UI1:
            if (!InRange<uint8_t>(integer)) return DISP_E_OVERFLOW;
            out.bVal = static_cast<BYTE>(integer);
            break;
        case VT_I2:
            if (!InRange<int16_t>(integer)) return DISP_E_OVERFLOW;
            out.iVal = static_cast<SHORT>(integer);
            break;
        case VT_I4:
        case VT_INT:
            if (!InRange<int32_t>(integer)) return DISP_E_OVERFLOW;
            out.lVal = static_cast<LONG>(integer);
            break;
        case VT_UI4:
        case VT_UINT:
            if (!InRange<uint32_t>(integer)) return DISP_E_OVERFLOW;
            out.ulVal = static_cast<ULONG>(integer);
            break;
        case VT_I8: out.llVal = integer; break;
        case VT_BOOL:
            out.boolVal =
                (number->isFloat ? number->real != 0 : integer != 0) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_R8:
            out.dblVal = number->isFloat ? number->real : static_cast<double>(integer);
            break;
        default: return DISP_E_TYPEMISMATCH;
    }
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) return hr;
    *dest = out;
    return S_OK;
}

VARIANT MakeVariantI4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT MakeVariantI8(LONGLONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I8;
    v.llVal = value;
    return v;
}

VARIANT MakeVariantDispatch(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    if (object) object->AddRef();
    return v;
}

VARIANT MakeVariantBstr(std::string_view text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = BstrFromNarrow(text);
    return v;
}

std::optional<LONGLONG> VariantToInteger(const VARIANT& v) {
    VARIANT scratch;
    const VARIANT* value = Dereference(&v, scratch);
    if (!value) return std::nullopt;
    auto number = ReadNumeric(*value);
    if (!number || number->isFloat) return std::nullopt;
    return number->integer;
}

const VARIANT& VariantDereference(const VARIANT& v) {
    if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) return VariantDereference(*v.pvarVal);
    return v;
}
