#include "engine/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace engine {

namespace {

thread_local bool t_insideWorker = false;

class WorkerPool {
public:
    WorkerPool() {
        for (int i = 0; i < kWorkerCount; ++i) m_threads[i] = std::thread([this, i] { Work(i); });
    }
    ~WorkerPool() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread& thread : m_threads) thread.join();
    }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void Run(int64_t count, int64_t grain, const ChunkBody& body) {
        // One loop at a time; a second caller waits for the first.
        std::lock_guard serial(m_runMutex);
        {
            std::lock_guard lock(m_mutex);
            m_body = &body;
            m_count = count;
            m_grain = grain;
            m_next.store(0);
            m_busy = kWorkerCount;
            ++m_generation;
        }
        m_wake.notify_all();
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_busy == 0; });
        m_body = nullptr;
    }

private:
    void Work(int index) {
        t_insideWorker = true;
        uint64_t seen = 0;
        for (;;) {
            const ChunkBody* body = nullptr;
            int64_t count = 0;
            int64_t grain = 1;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stopping || m_generation != seen; });
                if (m_stopping) return;
                seen = m_generation;
                body = m_body;
                count = m_count;
                grain = m_grain;
            }
            for (;;) {
                const int64_t begin = m_next.fetch_add(grain);
                if (begin >= count) break;
                (*body)(begin, std::min(count, begin + grain), index);
            }
            {
                std::lock_guard lock(m_mutex);
                if (--m_busy == 0) m_done.notify_one();
            }
        }
    }

    std::thread m_threads[kWorkerCount];
    std::mutex m_runMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const ChunkBody* m_body = nullptr;
    int64_t m_count = 0;
    int64_t m_grain = 1;
    std::atomic<int64_t> m_next{0};
    int m_busy = 0;
    uint64_t m_generation = 0;
    bool m_stopping = false;
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
