#pragma once

#include <cstdint>
#include <vector>

#include "platform/tarsel/TarselObject.h"

namespace tarsel {

// An image object: BGRA pixels, bottom row first, in the host's own memory.
class TarselImage : public DispatchObject {
public:
    static TarselImage* Create(int32_t width, int32_t height, std::vector<uint8_t> bgra);

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    const std::vector<uint8_t>& Pixels() const { return m_pixels; }
    std::vector<uint8_t>& MutablePixels() { return m_pixels; }
    void SetPicture(int32_t width, int32_t height, std::vector<uint8_t> bgra);

    int GetImageDataCalls() const { return m_getImageDataCalls; }
    int FromRGBACalls() const { return m_fromRGBACalls; }

private:
    TarselImage(int32_t width, int32_t height, std::vector<uint8_t> bgra);
    HRESULT GetImageData(Invocation& call);
    HRESULT FromRGBA(Invocation& call);

    int32_t m_width;
    int32_t m_height;
    std::vector<uint8_t> m_pixels;
    int m_getImageDataCalls = 0;
    int m_fromRGBACalls = 0;
};

}  // namespace tarsel
