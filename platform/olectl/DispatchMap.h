#pragma once
// Dispatch maps: a control lists its automation members as (name, DISPID,
// handler) entries; DISP_FUNCTION makes the handler from a member function,
// converting the caller's VARIANTs to its parameter types the way the
// framework does (by-reference arguments included) and its result to a VARIANT.

#include <cstddef>
#include <tuple>
#include <utility>

#include "platform/automation/DispatchObject.h"

class COleControl;

struct AFX_DISPMAP_ENTRY {
    const char* lpszName;
    DISPID lDispID;
    WORD wFlags;  // the DISPATCH_* kinds the member answers to
    HRESULT (*pfn)(COleControl* control, Invocation& call);
};

struct AFX_DISPMAP {
    const AFX_DISPMAP_ENTRY* lpEntries;
    size_t nCount;
};

namespace afx_dispatch {

// One parameter: Load takes the caller's argument, Get hands it to the member,
// Finish writes an out value back.
template <class T>
struct Arg;

template <>
struct Arg<const VARIANT&> {
    const VARIANT* value = nullptr;
    bool Load(VARIANT& arg) {
        value = &VariantDereference(arg);
        return true;
    }
    const VARIANT& Get() { return *value; }
    void Finish() {}
};

template <>
struct Arg<LONG> {
    LONG value = 0;
    bool Load(VARIANT& arg) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &arg, 0, VT_I4))) return false;
        value = converted.lVal;
        return true;
    }
    LONG Get() { return value; }
    void Finish() {}
};

template <>
struct Arg<LPDISPATCH> {
    LPDISPATCH value = nullptr;
    bool Load(VARIANT& arg) {
        const VARIANT& v = VariantDereference(arg);
        if (v.vt == VT_DISPATCH) {
            value = v.pdispVal;
        } else if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal) {
            value = *v.ppdispVal;
        } else {
            return false;
        }
        return true;
    }
    LPDISPATCH Get() { return value; }
    void Finish() {}
};

template <>
struct Arg<VARIANT_BOOL*> {
    VARIANT_BOOL local = VARIANT_FALSE;
    VARIANT_BOOL* target = nullptr;
    VARIANT* variantTarget = nullptr;
    bool Load(VARIANT& arg) {
        if (arg.vt == (VT_BYREF | VT_BOOL) && arg.pboolVal) {
            target = arg.pboolVal;
        } else if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal) {
            variantTarget = arg.pvarVal;
            if (auto v = VariantToInteger(*variantTarget))
                local = *v ? VARIANT_TRUE : VARIANT_FALSE;
        } else {
            return false;
        }
        return true;
    }
    VARIANT_BOOL* Get() { return target ? target : &local; }
    void Finish() {
        if (!variantTarget) return;
        VariantClear(variantTarget);
        variantTarget->vt = VT_BOOL;
        variantTarget->boolVal = local;
    }
};

template <class Result>
void Store(Invocation& call, Result value) {
    static_assert(std::is_same_v<Result, LONG>, "results are longs");
    call.ReturnLong(value);
}

template <class Class, class Result, class... Params, size_t... I>
HRESULT CallWith(Class* self, Result (Class::*method)(Params...), Invocation& call,
                 std::index_sequence<I...>) {
    if (call.ArgCount() != sizeof...(Params)) return DISP_E_BADPARAMCOUNT;
    std::tuple<Arg<Params>...> args;
    if (!(std::get<I>(args).Load(call.Arg(UINT(I))) && ...)) return DISP_E_TYPEMISMATCH;
    if constexpr (std::is_void_v<Result>) {
        (self->*method)(std::get<I>(args).Get()...);
    } else {
        Store(call, (self->*method)(std::get<I>(args).Get()...));
    }
    (std::get<I>(args).Finish(), ...);
    return S_OK;
}

template <auto Method>
struct Thunk;

template <class Class, class Result, class... Params, Result (Class::*Method)(Params...)>
struct Thunk<Method> {
    static HRESULT Call(COleControl* control, Invocation& call) {
        return CallWith(static_cast<Class*>(control), Method, call,
                        std::index_sequence_for<Params...>{});
    }
};

}  // namespace afx_dispatch

// An entry for a method: DISP_FUNCTION_ID("Execute", 3, &CRastelCtrl::Execute).
#define DISP_FUNCTION_ID(name, dispid, method) \
    AFX_DISPMAP_ENTRY { name, dispid, DISPATCH_METHOD, &afx_dispatch::Thunk<method>::Call }
