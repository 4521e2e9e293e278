#include "platform/automation/SafeArray.h"

#include <cstring>
#include <new>

#include "platform/automation/Bstr.h"

namespace {

ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
        case VT_I1:
        case VT_UI1: return 1;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL: return 2;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_ERROR: return 4;
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_CY:
        case VT_DATE: return 8;
        case VT_BSTR: return sizeof(BSTR);
        case VT_DISPATCH:
        case VT_UNKNOWN: return sizeof(void*);
        case VT_VARIANT: return sizeof(VARIANT);
        default: return 0;
    }
}

bool ValidIndex(SAFEARRAY* array, LONG* indices, size_t& offset) {
    if (!array || !indices) return false;
    const LONGLONG index = LONGLONG{indices[0]} - array->rgsabound[0].lLbound;
    if (index < 0 || index >= LONGLONG{array->rgsabound[0].cElements}) return false;
    offset = static_cast<size_t>(index) * array->cbElements;
    return true;
}

void ReleaseElements(SAFEARRAY* array) {
    auto* data = static_cast<char*>(array->pvData);
    for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) {
        void* element = data + size_t{i} * array->cbElements;
        switch (array->vt) {
            case VT_BSTR: SysFreeString(*static_cast<BSTR*>(element)); break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (auto* unknown = *static_cast<IUnknown**>(element)) unknown->Release();
                break;
            case VT_VARIANT: VariantClear(static_cast<VARIANT*>(element)); break;
            default: return;
        }
    }
}

// Copies one element into uninitialised storage, taking what a copy owns.
HRESULT CopyElement(VARTYPE vt, ULONG size, const void* from, void* to) {
    switch (vt) {
        case VT_BSTR: {
            BSTR source = *static_cast<const BSTR*>(from);
            BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
            if (source && !copy) return E_OUTOFMEMORY;
            *static_cast<BSTR*>(to) = copy;
            return S_OK;
        }
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            IUnknown* unknown = *static_cast<IUnknown* const*>(from);
            if (unknown) unknown->AddRef();
            *static_cast<IUnknown**>(to) = unknown;
            return S_OK;
        }
        case VT_VARIANT:
            VariantInit(static_cast<VARIANT*>(to));
            return VariantCopy(static_cast<VARIANT*>(to), static_cast<const VARIANT*>(from));
        default: std::memcpy(to, from, size); return S_OK;
    }
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
    const ULONG size = ElementSize(vt);
    if (dims != 1 || !bounds || size == 0) return nullptr;
    const size_t bytes = size_t{bounds[0].cElements} * size;
    auto* array = new (std::nothrow) SAFEARRAY{};
    if (!array) return nullptr;
    array->pvData = new (std::nothrow) char[bytes == 0 ? 1 : bytes]();
    if (!array->pvData) {
        delete array;
        return nullptr;
    }
    array->cDims = 1;
    array->cbElements = size;
    array->rgsabound[0] = bounds[0];
    array->vt = vt;
    return array;
}

HRESULT SafeArrayAllocDescriptorEx(VARTYPE vt, UINT dims, SAFEARRAY** array) {
    if (!array) return E_INVALIDARG;
    *array = nullptr;
    const ULONG size = ElementSize(vt);
    if (dims != 1 || size == 0) return E_INVALIDARG;
    auto* descriptor = new (std::nothrow) SAFEARRAY{};
    if (!descriptor) return E_OUTOFMEMORY;
    descriptor->cDims = 1;
    descriptor->cbElements = size;
    descriptor->vt = vt;
    *array = descriptor;
    return S_OK;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements) {
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
    if (!array) return S_OK;
    if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    ReleaseElements(array);
    if ((array->fFeatures & (FADF_AUTO | FADF_STATIC)) == 0) {
        delete[] static_cast<char*>(array->pvData);
    }
    delete array;
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* src, SAFEARRAY** dest) {
    if (!src || !dest) return E_INVALIDARG;
    *dest = nullptr;
    SAFEARRAY* copy = SafeArrayCreate(src->vt, 1, src->rgsabound);
    if (!copy) return E_OUTOFMEMORY;
    const auto* from = static_cast<const char*>(src->pvData);
    auto* to = static_cast<char*>(copy->pvData);
    for (ULONG i = 0; i < src->rgsabound[0].cElements; ++i) {
        const size_t offset = size_t{i} * src->cbElements;
        if (FAILED(CopyElement(src->vt, src->cbElements, from + offset, to + offset))) {
            SafeArrayDestroy(copy);
            return E_OUTOFMEMORY;
        }
    }
    *dest = copy;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
    if (!array) return E_INVALIDARG;
    if (array->cLocks == 0) return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
    if (!array || !data) return E_INVALIDARG;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = array->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = static_cast<LONG>(LONGLONG{array->rgsabound[0].lLbound} +
                               LONGLONG{array->rgsabound[0].cElements} - 1);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value) {
    size_t offset;
    if (!ValidIndex(array, indices, offset)) return DISP_E_BADINDEX;
    if (!value && array->vt != VT_BSTR && array->vt != VT_DISPATCH && array->vt != VT_UNKNOWN) {
        return E_INVALIDARG;
    }
    char* slot = static_cast<char*>(array->pvData) + offset;
    // Build the new element first so a failure leaves the old one in place.
    alignas(VARIANT) char fresh[sizeof(VARIANT)];
    HRESULT hr;
    if (array->vt == VT_BSTR) {
        // A BSTR element is given as the string itself, not its address.
        BSTR source = static_cast<BSTR>(value);
        hr = CopyElement(VT_BSTR, array->cbElements, &source, fresh);
    } else if (array->vt == VT_DISPATCH || array->vt == VT_UNKNOWN) {
        IUnknown* source = static_cast<IUnknown*>(value);
        hr = CopyElement(array->vt, array->cbElements, &source, fresh);
    } else {
        hr = CopyElement(array->vt, array->cbElements, value, fresh);
    }
    if (FAILED(hr)) return hr;
    switch (array->vt) {
        case VT_BSTR: SysFreeString(*reinterpret_cast<BSTR*>(slot)); break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (auto* old = *reinterpret_cast<IUnknown**>(slot)) old->Release();
            break;
        case VT_VARIANT: VariantClear(reinterpret_cast<VARIANT*>(slot)); break;
        default: break;
    }
    std::memcpy(slot, fresh, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value) {
    size_t offset;
    if (!ValidIndex(array, indices, offset)) return DISP_E_BADINDEX;
    if (!value) return E_INVALIDARG;
    return CopyElement(array->vt, array->cbElements, static_cast<char*>(array->pvData) + offset,
                       value);
}

SAFEARRAY* SafeArrayFromStrings(const std::vector<std::string>& strings) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, ULONG(strings.size()));
    if (!array) return nullptr;
    auto* slots = static_cast<BSTR*>(array->pvData);
    for (size_t i = 0; i < strings.size(); ++i) {
        slots[i] = BstrFromNarrow(strings[i]);
        if (!slots[i]) {
            SafeArrayDestroy(array);
            return nullptr;
        }
    }
    return array;
}
