#pragma once
// Run-time choice of the wider vector path. The engine is built for
// x86-64-v2; a loop written once as an inline body and compiled a second time
// inside a TINTORA_AVX2 function runs as AVX2 where the processor has it.
// Neither build uses fused multiply-add.

#include <cstdlib>

#define TINTORA_AVX2 [[gnu::target("avx2")]]
#define TINTORA_INLINE [[gnu::always_inline]] inline

namespace engine {

// TINTORA_NO_AVX2 in the environment keeps to the x86-64-v2 loops (so that
// the tests reach both builds on any machine).
inline bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2") && !std::getenv("TINTORA_NO_AVX2");
    return has;
}

}  // namespace engine
