#include <chrono>

#include "bench/store/NullIndexer.h"
#include "bench/store/Runs.h"
#include "host/PluginState.h"
#include "indexing/FolderPass.h"
#include "indexing/IndexingJob.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/CountingDiskFiles.h"

namespace ombrel::bench {
namespace {

// A dialog that shows nothing.
class NoView final : public platform::JobView {
  public:
    void AppendLogLine(const WideString&) override {}
    void SetProgressRange(std::int32_t) override {}
    void SetProgressStep(std::int32_t) override {}
    void SetProgressPosition(std::int32_t) override {}
    void StepProgress() override {}
    void PostJobEnded() override {}
};

}  // namespace

Run RunFolderPass(BenchStore& store, std::FILE* dump, PassFacts& facts) {
    platform::posix::PosixPlatform posix;
    NullIndexer indexer(dump);
    testing::CountingDiskFiles files(posix.diskFiles);
    platform::Ports counted = posix.MakePorts(&indexer);
    counted.diskFiles = &files;
    const platform::ScopedPorts ports(counted);
    PluginState& state = State();
    indexer.CreateEventFactory(state.eventFactory);
    state.initialized = true;
    IndexingJob& job = Job();
    job.view = std::make_unique<NoView>();
    job.totals.indexed = 0;
    job.totals.skipped = 0;
    job.totals.bad = 0;

    MailAccount& account = store.Mailbox().Account();
    RestartAllocationCount();
    const auto start = std::chrono::steady_clock::now();
    IndexChildFolders(account.rootFolder, account.name);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    facts.allocations = ReadAllocationCount();
    facts.peakMappedBytes = files.PeakMappedBytes();

    facts.indexed = job.totals.indexed;
    facts.skipped = job.totals.skipped;
    facts.bad = job.totals.bad;
    job.view.reset();
    state.eventFactory.reset();
    state.initialized = false;
    return {took.count(), 0, 0};
}

}  // namespace ombrel::bench
