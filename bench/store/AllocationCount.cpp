// Replaces the global allocation functions of the benchmark program to count what the library
// allocates while it works; the library itself allocates as it always does.
#include "bench/store/AllocationCount.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace ombrel::bench {
namespace {

std::atomic<std::uint64_t> allocations{0};
std::atomic<std::int64_t> bytesHeld{0};
std::atomic<std::int64_t> baseline{0};
std::atomic<std::int64_t> peak{0};
thread_local int uncountedScopes = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    if (uncountedScopes == 0) allocations.fetch_add(1, std::memory_order_relaxed);
    const std::int64_t held =
        bytesHeld.fetch_add(static_cast<std::int64_t>(malloc_usable_size(block)),
                            std::memory_order_relaxed) +
        static_cast<std::int64_t>(malloc_usable_size(block));
    std::int64_t seen = peak.load(std::memory_order_relaxed);
    while (held > seen && !peak.compare_exchange_weak(seen, held, std::memory_order_relaxed)) {
    }
    return block;
}

void Free(void* block) {
    if (block == nullptr) return;
    bytesHeld.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)),
                        std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

UncountedAllocations::UncountedAllocations() {
    ++uncountedScopes;
}

UncountedAllocations::~UncountedAllocations() {
    --uncountedScopes;
}

void RestartAllocationCount() {
    allocations = 0;
    baseline = bytesHeld.load();
    peak = baseline.load();
}

AllocationCount ReadAllocationCount() {
    return {allocations.load(), peak.load() - baseline.load()};
}

}  // namespace ombrel::bench

void* operator new(std::size_t size) {
    return ombrel::bench::Allocate(size);
}
void* operator new[](std::size_t size) {
    return ombrel::bench::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t& /*nothrow*/) noexcept {
    try {
        return ombrel::bench::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& /*nothrow*/) noexcept {
    try {
        return ombrel::bench::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    ombrel::bench::Free(block);
}
void operator delete[](void* block) noexcept {
    ombrel::bench::Free(block);
}
void operator delete(void* block, std::size_t /*size*/) noexcept {
    ombrel::bench::Free(block);
}
void operator delete[](void* block, std::size_t /*size*/) noexcept {
    ombrel::bench::Free(block);
}
