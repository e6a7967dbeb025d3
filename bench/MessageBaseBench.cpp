// Opening a message base of 100,000 messages and reading every message: time per message, and
// the memory the reader needs beyond the mapping of the files (the growth of the heap in use while
// reading, and of the process's anonymous resident memory, which leaves out the mapped file
// pages).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>

#include "mailstore/MessageBaseFile.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/SampleMail.h"
#include "tests/support/StandInIndexer.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

constexpr int kMessages = 100000;

// Heap bytes in use.
long HeapInUse() {
    return static_cast<long>(mallinfo2().uordblks);
}

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
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer(journal);
    const platform::ScopedPorts ports(posix.MakePorts(&indexer));
    const WideString directory = base.Directory();

    long heapGrowth = 0;
    long residentGrowth = 0;
    std::uint64_t checksum = 0;
    for (auto _ : state) {
        const long residentBefore = AnonymousResident();
        CTheBatNBBFile reader;
        if (!reader.OpenBase(directory)) {
            state.SkipWithError("the base does not open");
            return;
        }
        const long heapOpen = HeapInUse();
        for (std::uint32_t number = 0; number < reader.Index().Count(); ++number) {
            const char* text = nullptr;
            std::uint32_t size = 0;
            if (!reader.ReadMessage(number, &text, &size)) continue;
            for (std::uint32_t i = 0; i < size; i += 64)
                checksum += static_cast<unsigned char>(text[i]);
        }
        heapGrowth = std::max(heapGrowth, HeapInUse() - heapOpen);
        residentGrowth = std::max(residentGrowth, AnonymousResident() - residentBefore);
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations() * kMessages);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * base.BaseBytes()));
    state.counters["base_MiB"] = static_cast<double>(base.BaseBytes()) / (1 << 20);
    state.counters["heap_growth_bytes"] = static_cast<double>(heapGrowth);
    state.counters["anon_rss_growth_KiB"] = static_cast<double>(residentGrowth) / 1024;
}
BENCHMARK(OpenAndReadEveryMessage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ombrel
