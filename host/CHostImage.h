#pragma once

#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_IMAGE_MEMBERS(X) \
    X(Save) X(Load) X(Size) X(GetImageData) X(SetImageData) X(DecoderAvailable) X(FromRGBA)
// clang-format on

// An image object with its pixels.
class CHostImage : public COleDispatchDriver {
public:
    // Takes over a reference that the caller already holds.
    void Attach(LPDISPATCH image);

    // The three VARIANTs go by reference; the first goes in holding the integer
    // 1234, the other two empty. On return they hold the pixel address, width and
    // height.
    void GetImageData(VARIANT* data, VARIANT* width, VARIANT* height);
    // data: a one-dimensional VT_I1 array; order: "BGRA" or "RGBA".
    void FromRGBA(const VARIANT& data, LONG width, LONG height, const VARIANT& order);

    TINTORA_HOST_IMAGE_MEMBERS(TINTORA_DECLARE_DISPID)
};
