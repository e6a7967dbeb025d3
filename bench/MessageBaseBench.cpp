// Opening a message base of 100,000 messages and reading every message: time per message, and
// the memory the reader needs beyond the mapping of the files (heap allocations while reading, and
// the growth of the process's anonymous resident memory, which leaves out the mapped file pages).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>

#include "mailstore/MessageBaseFile.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/SampleMail.h"
#include "tests/support/TempDirectory.h"

namespace {

std::atomic<std::size_t> gAllocations = 0;
std::atomic<std::size_t> gAllocatedBytes = 0;

}  // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    gAllocatedBytes += size;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace ombrel {
namespace {

constexpr int kMessages = 100000;

// Resident memory that is not file-backed, in bytes (from /proc/self/statm).
long AnonymousResident() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    long shared = 0;
    statm >> size >> resident >> shared;
    return (resident - shared) * 4096;
}

// A folder directory holding the message base, written once.
class LargeBase {
  public:
    LargeBase() {
        std::vector<testing::StoredMessage> messages;
        messages.reserve(kMessages);
        for (int i = 0; i < kMessages; ++i) {
            const auto kind = static_cast<testing::SampleMailKind>(
                i % static_cast<int>(testing::SampleMailKind::kCount));
            const std::int64_t time = 1136073600LL + i * 300LL;
            messages.push_back(
                {testing::SampleMail(kind, i, time, "anna.berg@example.org", "main@example.org"),
                 static_cast<std::int32_t>(time), i % 7 == 3 ? 1U : 0U});
        }
        const testing::MessageBaseFiles files = testing::WriteMessageBase(messages);
        disk_.Write(u"MESSAGES.TBB", files.base);
        disk_.Write(u"MESSAGES.TBI", files.index);
        baseBytes_ = files.base.size();
    }
    WideString Directory() const { return disk_.Directory(); }
    std::size_t BaseBytes() const { return baseBytes_; }

  private:
    testing::TempDirectory disk_;
    std::size_t baseBytes_ = 0;
};

void OpenAndReadEveryMessage(benchmark::State& state) {
    static const LargeBase base;
    platform::posix::PosixPlatform posix;
    const platform::ScopedPorts ports(posix.MakePorts(nullptr));
    const WideString directory = base.Directory();

    std::size_t allocations = 0;
    std::size_t allocatedBytes = 0;
    long residentGrowth = 0;
    std::uint64_t checksum = 0;
    for (auto _ : state) {
        const long residentBefore = AnonymousResident();
        const std::size_t allocationsBefore = gAllocations;
        const std::size_t bytesBefore = gAllocatedBytes;
        CTheBatNBBFile reader;
        if (!reader.OpenBase(directory)) {
            state.SkipWithError("the base does not open");
            return;
        }
        // Only the reading counts: opening builds the two paths.
        const std::size_t openAllocations = gAllocations - allocationsBefore;
        const std::size_t openBytes = gAllocatedBytes - bytesBefore;
        for (std::uint32_t number = 0; number < reader.Index().Count(); ++number) {
            const char* text = nullptr;
            std::uint32_t size = 0;
            if (!reader.ReadMessage(number, &text, &size)) continue;
            for (std::uint32_t i = 0; i < size; i += 64)
                checksum += static_cast<unsigned char>(text[i]);
        }
        allocations = gAllocations - allocationsBefore - openAllocations;
        allocatedBytes = gAllocatedBytes - bytesBefore - openBytes;
        residentGrowth = std::max(residentGrowth, AnonymousResident() - residentBefore);
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations() * kMessages);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * base.BaseBytes()));
    state.counters["base_MiB"] = static_cast<double>(base.BaseBytes()) / (1 << 20);
    state.counters["read_allocations"] = static_cast<double>(allocations);
    state.counters["read_heap_bytes"] = static_cast<double>(allocatedBytes);
    state.counters["anon_rss_growth_KiB"] = static_cast<double>(residentGrowth) / 1024;
}
BENCHMARK(OpenAndReadEveryMessage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ombrel
