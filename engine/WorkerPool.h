#pragma once
// Data-parallel loops for the effects: the calling thread and a helper thread,
// created once, take chunks of a loop; the call returns only when every chunk
// is done, so an effect never leaves work running behind it. Results do not
// depend on how the chunks are shared out: each chunk writes its own part of
// the output.

#include <cstdint>
#include <functional>

namespace engine {

inline constexpr int kWorkerCount = 2;

// What one chunk does: the items begin .. end - 1, on worker 0 or 1 (for
// per-worker scratch).
using ChunkBody = std::function<void(int64_t begin, int64_t end, int worker)>;

// Runs body over 0 .. count - 1 in chunks of `grain` items on the workers and
// waits for all of them. Runs on the calling thread alone, as worker 0, when
// the loop is too short to share or when called from inside a worker.
void ParallelFor(int64_t count, int64_t grain, const ChunkBody& body);

}  // namespace engine
