#include "control/HostPixels.h"

#include <cstring>
#include <limits>

#include "engine/Raster.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"

std::optional<HostPixels> ReadHostPixels(CHostImage& image) {
    COleVariant data(LONG{1234});
    COleVariant width;
    COleVariant height;
    image.GetImageData(&data, &width, &height);
    const auto address = VariantToInteger(data);
    const auto w = VariantToInteger(width);
    const auto h = VariantToInteger(height);
    if (!address || !w || !h || *w < 0 || *h < 0 || *w > std::numeric_limits<int32_t>::max() ||
        *h > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    auto* pixels = reinterpret_cast<BYTE*>(static_cast<intptr_t>(*address));
    if (!pixels && *w > 0 && *h > 0) return std::nullopt;
    return HostPixels{pixels, static_cast<int32_t>(*w), static_cast<int32_t>(*h)};
}

bool WriteHostPixels(CHostImage& image, const BYTE* bytes, int32_t width, int32_t height,
                     const char* order) {
    const auto size = engine::RasterByteSize(width, height);
    if (!size || *size > std::numeric_limits<ULONG>::max()) return false;
    // The array lends the pixels instead of copying them: the host copies what
    // it keeps during the call, and destroying the array leaves them alone.
    SAFEARRAY* array = nullptr;
    if (FAILED(SafeArrayAllocDescriptorEx(VT_I1, 1, &array))) return false;
    array->pvData = const_cast<BYTE*>(bytes);
    array->rgsabound[0] = {static_cast<ULONG>(*size), 0};
    array->fFeatures = FADF_AUTO | FADF_FIXEDSIZE;

    COleVariant data;
    data.vt = VT_ARRAY | VT_I1;
    data.parray = array;
    COleVariant channelOrder(order);
    image.FromRGBA(data, width, height, channelOrder);
    return true;
}
