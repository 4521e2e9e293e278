#pragma once
// One-dimensional SAFEARRAYs (the only kind the system passes).

#include <string>
#include <vector>

#include "platform/automation/Variant.h"

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct tagSAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
    VARTYPE vt;  // element type, kept beside the descriptor
};

// fFeatures: the elements live in memory the array does not own, so
// destroying the array leaves them alone.
constexpr USHORT FADF_AUTO = 0x0001;
constexpr USHORT FADF_STATIC = 0x0002;
constexpr USHORT FADF_FIXEDSIZE = 0x0010;

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
// A descriptor without elements: the caller sets pvData, the bounds and the
// features (FADF_AUTO or FADF_STATIC for memory it keeps owning).
HRESULT SafeArrayAllocDescriptorEx(VARTYPE vt, UINT dims, SAFEARRAY** array);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements);
// Frees what the elements own (strings, references, VARIANTs) and the array,
// with its element memory unless that is not its own (FADF_AUTO, FADF_STATIC).
HRESULT SafeArrayDestroy(SAFEARRAY* array);
HRESULT SafeArrayCopy(SAFEARRAY* src, SAFEARRAY** dest);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayUnlock(SAFEARRAY* array);
UINT SafeArrayGetDim(SAFEARRAY* array);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound);
// Stores a copy: a BSTR is duplicated, an interface gains a reference, a VARIANT is copied.
HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value);
// Hands out a copy that the caller owns.
HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value);

// A VT_BSTR vector with lower bound 0, one element per string in order; null
// when it cannot be allocated.
SAFEARRAY* SafeArrayFromStrings(const std::vector<std::string>& strings);
