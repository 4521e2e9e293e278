#pragma once
// VARIANT and its life-cycle functions.

#include <optional>
#include <string>

#include "platform/automation/Unknown.h"

struct tagSAFEARRAY;
using SAFEARRAY = tagSAFEARRAY;

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        ULONGLONG ullVal;
        LONG lVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        SHORT iVal;
        USHORT uiVal;
        CHAR cVal;
        BYTE bVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        LONG* plVal;
        LONGLONG* pllVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        void* byref;
    };
};
using VARIANTARG = VARIANT;

void VariantInit(VARIANT* v);
// Frees what the VARIANT owns (string, array, interface reference) and leaves it empty.
// By-reference VARIANTs own nothing.
HRESULT VariantClear(VARIANT* v);
// Deep copy: strings and arrays are duplicated, interfaces gain a reference.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Converts between the integer, boolean and floating kinds, following one level of
// VT_BYREF. Other conversions give DISP_E_TYPEMISMATCH; values out of range DISP_E_OVERFLOW.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD flags, VARTYPE vt);

// Small conveniences for code that builds or reads VARIANTs.
VARIANT MakeVariantI4(LONG value);
VARIANT MakeVariantI8(LONGLONG value);
// Takes a reference of its own.
VARIANT MakeVariantDispatch(IDispatch* object);
VARIANT MakeVariantBstr(std::string_view text);
// Integer value of an integer or boolean VARIANT, by reference or not.
std::optional<LONGLONG> VariantToInteger(const VARIANT& v);
// The VARIANT that a VT_BYREF|VT_VARIANT points at, or the VARIANT itself.
const VARIANT& VariantDereference(const VARIANT& v);
