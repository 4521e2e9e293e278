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

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements);
// Frees the elements it owns (strings, references, VARIANTs) and the array.
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
