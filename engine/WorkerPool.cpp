#include "engine/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace engine {

namespace {

thread_local bool t_insideWorker = false;

static_assert(kWorkerCount == 2, "the calling thread and one helper");

// How long a thread spins for the other before it sleeps: about the gap
// between one loop of an effect and the next. A sleeping thread takes the
// system a while to wake, and on a virtual machine much longer.
constexpr int kSpins = 2000;

inline void Pause() { __builtin_ia32_pause(); }

// The calling thread works as worker 0; one helper thread, created once, as
// worker 1. The helper joins a loop only while the loop is open: a caller
// that runs out of chunks before the helper has woken closes the loop and
// returns without waiting for it.
class WorkerPool {
public:
    WorkerPool() : m_helper([this] { Help(); }) {}

    ~WorkerPool() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_helper.join();
    }

    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void Run(int64_t count, int64_t grain, const ChunkBody& body) {
        // One loop at a time; a second caller waits for the first.
        std::lock_guard serial(m_runMutex);
        uint64_t loop;
        {
            std::lock_guard lock(m_mutex);
            m_body = &body;
            m_count = count;
            m_grain = grain;
            m_next.store(0);
            loop = m_loops + 1;
            m_loops = loop;
            m_state.store(State(loop, kOpen));
        }
        m_wake.notify_one();

        t_insideWorker = true;
        RunChunks(0);
        t_insideWorker = false;

        uint64_t open = State(loop, kOpen);
        if (m_state.compare_exchange_strong(open, State(loop, kClosed))) return;
        // The helper has joined: wait until it is done, spinning first.
        for (int i = 0; i < kSpins && m_state.load() != State(loop, kFinished); ++i) Pause();
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&] { return m_state.load() == State(loop, kFinished); });
    }

private:
    // The loop's number and how far the helper is with it, in one word.
    enum Phase : uint64_t { kOpen, kJoined, kClosed, kFinished };
    static uint64_t State(uint64_t loop, Phase phase) { return loop << 2 | phase; }

    void RunChunks(int worker) {
        for (;;) {
            const int64_t begin = m_next.fetch_add(m_grain);
            if (begin >= m_count) return;
            (*m_body)(begin, std::min(m_count, begin + m_grain), worker);
        }
    }

    void Help() {
        t_insideWorker = true;
        uint64_t seen = 0;
        for (;;) {
            for (int i = 0; i < kSpins && m_state.load() >> 2 == seen; ++i) Pause();
            uint64_t loop;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stopping || m_loops != seen; });
                if (m_stopping) return;
                loop = seen = m_loops;
            }
            uint64_t open = State(loop, kOpen);
            if (!m_state.compare_exchange_strong(open, State(loop, kJoined))) continue;
            RunChunks(1);
            {
                std::lock_guard lock(m_mutex);
                m_state.store(State(loop, kFinished));
            }
            m_done.notify_one();
        }
    }

    std::mutex m_runMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    // Set by the caller before the loop opens; read by the helper once it
    // has joined, and by the caller.
    const ChunkBody* m_body = nullptr;
    int64_t m_count = 0;
    int64_t m_grain = 1;
    std::atomic<int64_t> m_next{0};
    uint64_t m_loops = 0;  // guarded by m_mutex
    std::atomic<uint64_t> m_state{0};
    bool m_stopping = false;
    std::thread m_helper;  // last: it starts once the members above exist
};

WorkerPool& Pool() {
    static WorkerPool pool;
    return pool;
}

}  // namespace

void ParallelFor(int64_t count, int64_t grain, const ChunkBody& body) {
    if (count <= 0) return;
    grain = std::max<int64_t>(grain, 1);
    if (count <= grain || t_insideWorker) {
        body(0, count, 0);
        return;
    }
    Pool().Run(count, grain, body);
}

}  // namespace engine
