// Mail arriving through the spam-score hook, end to end on the posix layer with the stand-in
// indexer: the host's text into the message buffer (heap up to 100 KiB, page-file memory above),
// the parse, the account match and the e-mail event. Plain-text messages of growing size, either
// side of the heap limit, and the real-looking sample mail.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/ReceivedMail.h"
#include "tests/support/SampleMail.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel::bench {
namespace {

void Receive(benchmark::State& bench, const std::string& text) {
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer{journal};
    const ReceivingLibrary library(indexer);
    for (auto _ : bench) {
        TextSource source(text);
        benchmark::DoNotOptimize(IndexIncomingMessage(source));
        journal.Clear();
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * text.size()));
}

void BM_PlainMessage(benchmark::State& bench) {
    Receive(bench, PlainMessage(static_cast<std::size_t>(bench.range(0))));
}
BENCHMARK(BM_PlainMessage)->Arg(4096)->Arg(102399)->Arg(102400)->Arg(1 << 20);

void BM_SampleMail(benchmark::State& bench) {
    const auto kind = static_cast<testing::SampleMailKind>(bench.range(0));
    Receive(bench, testing::SampleMail(kind, 1, 1700000000, "bob@example.org", "anna@x"));
}
BENCHMARK(BM_SampleMail)->DenseRange(0, static_cast<int>(testing::SampleMailKind::kCount) - 1);

}  // namespace
}  // namespace ombrel::bench
