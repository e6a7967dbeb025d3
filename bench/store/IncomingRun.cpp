#include <chrono>

#include "bench/ReceivedMail.h"
#include "bench/store/NullIndexer.h"
#include "bench/store/Runs.h"

namespace ombrel::bench {

Run RunIncoming(std::size_t size) {
    const std::string text = PlainMessage(size);
    NullIndexer indexer;
    const ReceivingLibrary library(indexer);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::duration<double> took{};
    while (took.count() < 1.0) {
        TextSource source(text);
        IndexIncomingMessage(source);
        ++run.messages;
        run.bytes += size;
        took = std::chrono::steady_clock::now() - start;
    }
    run.seconds = took.count();
    return run;
}

}  // namespace ombrel::bench
