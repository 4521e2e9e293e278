#pragma once
// Allocation failures on purpose, undone at the end of the scope whatever the
// test's outcome.

#include <cstddef>

#include "engine/Raster.h"

// Caps every raster and scratch allocation at `bytes`.
class ScopedAllocationLimit {
public:
    explicit ScopedAllocationLimit(size_t bytes) : m_previous(engine::SetAllocationLimit(bytes)) {}
    ~ScopedAllocationLimit() { engine::SetAllocationLimit(m_previous); }
    ScopedAllocationLimit(const ScopedAllocationLimit&) = delete;
    ScopedAllocationLimit& operator=(const ScopedAllocationLimit&) = delete;

private:
    size_t m_previous;
};

// Lets the next `successes` allocations succeed and fails the rest.
class AllocationCountdown {
public:
    explicit AllocationCountdown(size_t successes)
        : m_previous(engine::SetAllocationsBeforeFailure(successes)) {}
    ~AllocationCountdown() { engine::SetAllocationsBeforeFailure(m_previous); }
    AllocationCountdown(const AllocationCountdown&) = delete;
    AllocationCountdown& operator=(const AllocationCountdown&) = delete;

private:
    size_t m_previous;
};

// Fails only the n-th allocation from now.
class FailingAllocation {
public:
    explicit FailingAllocation(size_t n) { engine::FailNthAllocation(n); }
    ~FailingAllocation() { engine::FailNthAllocation(0); }
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};
