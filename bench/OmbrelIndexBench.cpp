// `ombrel index` over a generated store of over 20,000 messages, next to the library's folder pass
// over the same store with an indexer that drops every event, and `ombrel search` on the index it
// made: messages per second for the passes (each pass starts from an empty index), time per query
// for the searches.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "cli/DatabaseIndexer.h"
#include "cli/MailSearch.h"
#include "cli/StoreAccounts.h"
#include "cli/StoreIndexing.h"
#include "host/PluginState.h"
#include "indexing/FolderPass.h"
#include "indexing/IndexingJob.h"
#include "tests/support/SampleStore.h"
#include "tests/support/StandInIndexer.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/posix/ModelPlatform.h"

namespace ombrel {
namespace {

constexpr int kMessagesPerFolder = 1000;

// An indexer that takes every event and keeps nothing.
class NullEvent final : public platform::IndexerEvent {
  public:
    HResult PutProperty(std::u16string_view /*name*/,
                        const platform::PropertyValue& /*value*/) override {
        return hr::kOk;
    }
    HResult Submit(std::uint32_t /*flags*/) override { return hr::kOk; }
};

class NullEventFactory final : public platform::EventFactory {
  public:
    HResult MakeEvent(std::u16string_view /*componentId*/, std::u16string_view /*schema*/,
                      std::unique_ptr<platform::IndexerEvent>& event) override {
        event = std::make_unique<NullEvent>();
        return hr::kOk;
    }
};

// The generated store, written once, with its accounts read through the posix platform.
struct BenchStore {
    testing::TempDirectory disk;
    platform::posix::ModelPlatform posix;
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer{journal};
    platform::ScopedPorts ports{posix.MakePorts(&indexer)};
    AccountList accounts;
    std::string database = disk.Local(u"mail.db").string();

    BenchStore() {
        const testing::SampleStore store = testing::MakeSampleStore(kMessagesPerFolder);
        testing::WriteSampleStore(store, disk.Local(u"store"), disk.Directory(u"store").Std());
        disk.Write(u"registry.reg", testing::RegFileBytes(testing::SampleRegistry(
                                        store, disk.Directory(u"store").Std())));
        accounts = cli::StoreAccounts(posix, disk.Directory(u"store").Std(),
                                      disk.Local(u"registry.reg").string());
    }
};

BenchStore& Store() {
    static BenchStore store;
    return store;
}

void EnableAll(MailFolder& folder) {
    for (const std::unique_ptr<MailFolder>& child : folder.children) {
        child->enabled = true;
        EnableAll(*child);
    }
}

cli::PassCounts IndexIntoFreshDatabase(BenchStore& store) {
    std::filesystem::remove(store.database);
    std::filesystem::remove(store.database + "-wal");
    cli::MailIndex index(store.database, cli::Sqlite::Mode::kReadWrite);
    cli::DatabaseIndexer indexer(index);
    return cli::IndexStore(store.accounts, store.disk.Directory(u"store").Std(), false, index,
                           indexer, {});
}

void BM_OmbrelIndex(benchmark::State& state) {
    BenchStore& store = Store();
    std::int64_t messages = 0;
    for (auto _ : state) {
        const cli::PassCounts counts = IndexIntoFreshDatabase(store);
        messages += counts.indexed + counts.skipped + counts.bad;
    }
    state.SetItemsProcessed(messages);
}
BENCHMARK(BM_OmbrelIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// The library's folder pass of a re-index, every folder enabled, into the null indexer.
void BM_FolderPassNullIndexer(benchmark::State& state) {
    BenchStore& store = Store();
    for (const std::unique_ptr<MailAccount>& account : store.accounts)
        EnableAll(account->rootFolder);
    IndexingJob& job = Job();
    job.view = store.posix.jobViews.ForDialog(nullptr);
    State().eventFactory = std::make_unique<NullEventFactory>();
    std::int64_t messages = 0;
    for (auto _ : state) {
        job.totals.indexed = 0;
        job.totals.skipped = 0;
        job.totals.bad = 0;
        for (const std::unique_ptr<MailAccount>& account : store.accounts) {
            IndexChildFolders(account->rootFolder, account->name);
        }
        messages += job.totals.indexed + job.totals.skipped + job.totals.bad;
    }
    State().eventFactory.reset();
    job.baseReader.Close();
    job.view.reset();
    state.SetItemsProcessed(messages);
}
BENCHMARK(BM_FolderPassNullIndexer)->Unit(benchmark::kMillisecond)->Iterations(3);

// A search as `ombrel search` makes it: the count, the first 20 ids, and their hits.
void BM_Search(benchmark::State& state, const char* query) {
    BenchStore& store = Store();
    if (!std::filesystem::exists(store.database)) IndexIntoFreshDatabase(store);
    cli::MailIndex index(store.database, cli::Sqlite::Mode::kReadOnly);
    cli::MailSearch search(index.Database(), false);
    const cli::CompiledQuery compiled =
        search.Compile(*cli::ParseQuery(query, "2006-12-31 00:00:00"));
    std::int64_t hits = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.Count(compiled));
        for (const std::int64_t id : search.Ids(compiled, cli::SortOrder::kNewest, 20, 0)) {
            benchmark::DoNotOptimize(search.Hit(id, compiled));
            ++hits;
        }
    }
    state.counters["hits"] =
        benchmark::Counter(static_cast<double>(hits), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_Search, common_word, "figures")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, rare_word, "4711")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, phrase, "\"figures for round 4711\"")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, two_words_and_column, "café folder:Beta")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ombrel
