#include "platform/tarsel/TarselImage.h"

#include <new>
#include <utility>

#include "platform/automation/SafeArray.h"

namespace tarsel {

namespace {

// An out argument: a VARIANT passed by reference.
VARIANT* OutVariant(Invocation& call, UINT index) {
    VARIANT& arg = call.Arg(index);
    return arg.vt == (VT_BYREF | VT_VARIANT) ? arg.pvarVal : nullptr;
}

}  // namespace

TarselImage* TarselImage::Create(int32_t width, int32_t height, std::vector<uint8_t> bgra) {
    return new TarselImage(width, height, std::move(bgra));
}

TarselImage::TarselImage(int32_t width, int32_t height, std::vector<uint8_t> bgra)
    : DispatchObject("Image"), m_width(width), m_height(height), m_pixels(std::move(bgra)) {
    AddMember(kIdGetImageData, "GetImageData", DISPATCH_METHOD,
              [this](Invocation& call) { return GetImageData(call); });
    AddMember(kIdFromRGBA, "FromRGBA", DISPATCH_METHOD,
              [this](Invocation& call) { return FromRGBA(call); });
}

void TarselImage::SetPicture(int32_t width, int32_t height, std::vector<uint8_t> bgra) {
    m_width = width;
    m_height = height;
    m_pixels = std::move(bgra);
}

HRESULT TarselImage::GetImageData(Invocation& call) {
    if (call.ArgCount() != 3) return DISP_E_BADPARAMCOUNT;
    VARIANT* data = OutVariant(call, 0);
    VARIANT* width = OutVariant(call, 1);
    VARIANT* height = OutVariant(call, 2);
    if (!data || !width || !height) return DISP_E_TYPEMISMATCH;
    ++m_getImageDataCalls;
    VariantClear(data);
    VariantClear(width);
    VariantClear(height);
    // A pointer does not fit 32 bits here, so the address travels as VT_I8.
    *data = MakeVariantI8(static_cast<LONGLONG>(reinterpret_cast<intptr_t>(m_pixels.data())));
    *width = MakeVariantI4(m_width);
    *height = MakeVariantI4(m_height);
    return S_OK;
}

HRESULT TarselImage::FromRGBA(Invocation& call) {
    if (call.ArgCount() != 4) return DISP_E_BADPARAMCOUNT;
    const VARIANT& data = VariantDereference(call.Arg(0));
    LONGLONG width = 0;
    LONGLONG height = 0;
    std::string order;
    if (data.vt != (VT_ARRAY | VT_I1) || !data.parray || !call.ArgInteger(1, width) ||
        !call.ArgInteger(2, height) || !call.ArgString(3, order)) {
        return DISP_E_TYPEMISMATCH;
    }
    if (order != "BGRA" && order != "RGBA") return E_INVALIDARG;
    if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX) return E_INVALIDARG;
    SAFEARRAY* array = data.parray;
    LONG lower = 0;
    SafeArrayGetLBound(array, 1, &lower);
    const unsigned __int128 expected =
        static_cast<unsigned __int128>(order.size()) * uint64_t(width) * uint64_t(height);
    if (SafeArrayGetDim(array) != 1 || lower != 0 || expected != array->rgsabound[0].cElements) {
        return E_INVALIDARG;
    }
    ++m_fromRGBACalls;
    const size_t bytes = static_cast<size_t>(expected);
    void* raw = nullptr;
    SafeArrayAccessData(array, &raw);
    const auto* source = static_cast<const uint8_t*>(raw);
    // The host keeps a copy of its own, taken in one pass.
    std::vector<uint8_t> pixels;
    try {
        pixels.assign(source, source + bytes);
    } catch (const std::bad_alloc&) {
        SafeArrayUnaccessData(array);
        return E_OUTOFMEMORY;
    }
    SafeArrayUnaccessData(array);
    if (order == "RGBA") {
        for (size_t i = 0; i < bytes; i += 4) std::swap(pixels[i], pixels[i + 2]);
    }
    SetPicture(static_cast<int32_t>(width), static_cast<int32_t>(height), std::move(pixels));
    return S_OK;
}

}  // namespace tarsel
