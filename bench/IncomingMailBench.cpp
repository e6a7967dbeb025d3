// Mail arriving through the spam-score hook, end to end on the posix layer with the stand-in
// indexer: the host's text into the message buffer (heap up to 100 KiB, page-file memory above),
// the parse, the account match and the e-mail event. Plain-text messages of growing size, either
// side of the heap limit, and the real-looking sample mail.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "host/IncomingMail.h"
#include "host/PluginState.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/SampleMail.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel {
namespace {

class TextSource final : public MessageDataSource {
  public:
    explicit TextSource(const std::string& text) : text_(text) {}
    std::int32_t Fetch(std::int32_t /*kind*/, void* buffer, std::int32_t size) override {
        if (buffer == nullptr) return static_cast<std::int32_t>(text_.size());
        std::memcpy(buffer, text_.data(), std::min(text_.size(), static_cast<std::size_t>(size)));
        return size;
    }

  private:
    const std::string& text_;
};

// The library initialised with indexing on receipt, one account that takes the mail.
struct Library {
    platform::posix::PosixPlatform posix;
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer{journal};
    platform::ScopedPorts ports{posix.MakePorts(&indexer)};

    Library() {
        PluginState& state = State();
        indexer.CreateEventFactory(state.eventFactory);
        state.accounts = std::make_unique<AccountList>();
        state.activeConfig.indexOnReceive = 1;
        state.initialized = true;
    }
    ~Library() {
        PluginState& state = State();
        state.initialized = false;
        state.accounts.reset();
        state.eventFactory.reset();
    }
};

std::string PlainMessage(std::size_t size) {
    std::string text =
        "From: Anna <anna@example.org>\r\nTo: bob@example.net\r\nSubject: Figures\r\n"
        "Content-Type: text/plain; charset=us-ascii\r\n\r\n";
    const std::string line = "The figures for the quarter are attached and summarised here.\r\n";
    while (text.size() + line.size() <= size) text += line;
    text.append(size - text.size(), '.');
    return text;
}

void Receive(benchmark::State& bench, const std::string& text) {
    Library library;
    for (auto _ : bench) {
        TextSource source(text);
        benchmark::DoNotOptimize(IndexIncomingMessage(source));
        library.journal.Clear();
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
}  // namespace ombrel
