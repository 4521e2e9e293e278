#pragma once
// Moving pixels across the host's image object: GetImageData hands out the
// host's own memory, FromRGBA takes a byte array in a named channel order.

#include <cstdint>
#include <optional>

#include "host/CHostImage.h"

struct HostPixels {
    BYTE* data;
    int32_t width;
    int32_t height;
};

// The image's pixels, borrowed from the host; nothing when the host's answer
// cannot describe a picture (negative size, no address for a non-empty one).
std::optional<HostPixels> ReadHostPixels(CHostImage& image);

// Hands width x height pixels to the image as a VT_I1 array with the channel
// order "BGRA" or "RGBA". False when the array cannot be allocated.
bool WriteHostPixels(CHostImage& image, const BYTE* bytes, int32_t width, int32_t height,
                     const char* order);
