#pragma once
// Reproducible random pictures for differential tests.

#include <cstdint>
#include <random>
#include <vector>

// W x H BGRA bytes. With sparseAlpha, about a third of the pixels are fully
// transparent and a third fully opaque, so edge rules get exercised.
inline std::vector<uint8_t> RandomPicture(std::mt19937& rng, int32_t width, int32_t height,
                                          bool sparseAlpha = true) {
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 4);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> third(0, 2);
    for (size_t i = 0; i < bytes.size(); i += 4) {
        bytes[i] = uint8_t(byte(rng));
        bytes[i + 1] = uint8_t(byte(rng));
        bytes[i + 2] = uint8_t(byte(rng));
        if (sparseAlpha) {
            const int kind = third(rng);
            bytes[i + 3] = kind == 0 ? 0 : kind == 1 ? 255 : uint8_t(byte(rng));
        } else {
            bytes[i + 3] = uint8_t(byte(rng));
        }
    }
    return bytes;
}
