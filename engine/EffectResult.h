#pragma once
// What an effect hands back: its output raster, or a failure with the message
// the operator is to see. A message may also come with a success (a warning).

#include <string>
#include <utility>

#include "engine/Raster.h"

namespace engine {

inline constexpr const char* kOutOfMemory = "Out of Memory";

struct EffectResult {
    Raster output;
    bool succeeded = false;
    std::string message;

    static EffectResult Success(Raster output, std::string warning = {}) {
        return {std::move(output), true, std::move(warning)};
    }
    static EffectResult Failure(std::string message) {
        return {Raster{}, false, std::move(message)};
    }
    static EffectResult OutOfMemory() { return Failure(kOutOfMemory); }
};

}  // namespace engine
