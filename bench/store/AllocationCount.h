#pragma once

#include <cstdint>

namespace ombrel::bench {

// What the program's C++ allocations (operator new) came to since the last Restart: their count,
// and the most bytes they held at once beyond what was held at the restart.
struct AllocationCount {
    std::uint64_t allocations = 0;
    std::int64_t peakBytes = 0;
};

void RestartAllocationCount();
AllocationCount ReadAllocationCount();

// While one lives, the thread's allocations are left out of the count (their bytes still count):
// for what the indexer does with an event, which is not the library's work.
class UncountedAllocations {
  public:
    UncountedAllocations();
    ~UncountedAllocations();
    UncountedAllocations(const UncountedAllocations&) = delete;
    UncountedAllocations& operator=(const UncountedAllocations&) = delete;
};

}  // namespace ombrel::bench
