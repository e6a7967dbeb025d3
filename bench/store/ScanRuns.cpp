#include <chrono>
#include <cstring>

#include "bench/store/Runs.h"

namespace ombrel::bench {

// What a run found, kept so that its work is not optimised away.
volatile std::uint64_t linesSeen = 0;

Run RunMemchr(const std::vector<const MappedBase*>& bases) {
    Run run;
    std::uint64_t lines = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const MappedBase* base : bases) {
        for (const MappedBase::Span& span : base->Messages()) {
            const std::string_view text = base->Text(span);
            const char* at = text.data();
            const char* const end = at + text.size();
            while ((at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr) {
                ++lines;
                ++at;
            }
            ++run.messages;
            run.bytes += span.size;
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    run.seconds = took.count();
    linesSeen = lines;
    return run;
}

}  // namespace ombrel::bench
