#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/store/AllocationCount.h"
#include "bench/store/BenchStore.h"
#include "bench/store/MappedBase.h"

namespace ombrel::bench {

// One timed run: how long it took over how many messages and bytes of message text.
struct Run {
    double seconds = 0;
    std::uint64_t messages = 0;
    std::uint64_t bytes = 0;
    double MessagesPerSecond() const { return static_cast<double>(messages) / seconds; }
    double MegabytesPerSecond() const { return static_cast<double>(bytes) / 1e6 / seconds; }
};

// What the library's folder pass did besides its speed.
struct PassFacts {
    std::int32_t indexed = 0;
    std::int32_t skipped = 0;
    std::int32_t bad = 0;
    AllocationCount allocations;
    std::uint64_t peakMappedBytes = 0;  // the most address space the file views took at once
};

// The folder pass (IndexChildFolders) over every folder of the store on the posix layer with an
// indexer that keeps nothing; with `dump`, every event is written there. Only the time is told:
// the messages and bytes are those that the other runs count.
Run RunFolderPass(BenchStore& store, std::FILE* dump, PassFacts& facts);

// GMime doing the same work over the same messages: parse from memory, decode the headers, decode
// the chosen text part through its charset, collect the attachments' names.
Run RunGmime(const std::vector<const MappedBase*>& bases);

// One memchr scan of the same messages, line end by line end.
Run RunMemchr(const std::vector<const MappedBase*>& bases);

// Mail arriving through the spam-score hook: plain text messages of `size` bytes, repeated for
// about a second, to an indexer that keeps nothing.
Run RunIncoming(std::size_t size);

}  // namespace ombrel::bench
