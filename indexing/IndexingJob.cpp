#include "indexing/IndexingJob.h"

#include "common/Exceptions.h"
#include "host/PluginState.h"
#include "indexing/FolderPass.h"
#include "indexing/StopCheck.h"
#include "platform/IndexerIds.h"
#include "platform/Ports.h"
#include "platform/ResourceStrings.h"

namespace ombrel {
namespace {

// The log line for an indexer result that ended the job; none for a stop request.
std::uint32_t LineForFailure(std::int32_t code) {
    switch (code) {
        case indexer::kComponentDisabled:
            return strings::kIndexerDisabled;
        case indexer::kServiceNotRunning:
            return strings::kIndexerNotRunning;
        case indexer::kIndexingPaused:
            return strings::kIndexerPaused;
        default:
            return 0;
    }
}

void AppendCount(std::uint32_t patternId, std::int32_t count) {
    if (count == 0) return;
    const WideString pattern = LoadResourceString(patternId);
    AppendLogLine(WideString::Formatted(pattern.CStr(), count));
}

void IndexAllAccounts(const IndexingJob& job) {
    if (const auto& accounts = State().accounts) {
        for (const auto& account : *accounts) IndexChildFolders(account->rootFolder, account->name);
    }
    AppendLogLine(WideString(u"----------------------------"));
    AppendCount(strings::kIndexedCount, job.totals.indexed);
    AppendCount(strings::kSkippedCount, job.totals.skipped);
    AppendCount(strings::kBadCount, job.totals.bad);
    AppendLogLine(LoadResourceString(strings::kIndexingDone));
}

// What both the worker and the dialog's thread close when a job ends.
void CloseJobResources(IndexingJob& job) {
    job.baseReader.Close();
    CloseStopEvent();
}

}  // namespace

IndexingJob& Job() {
    static IndexingJob job;
    return job;
}

platform::JobView& JobDialog() {
    return *Job().view;
}

void AppendLogLine(const WideString& line) {
    JobDialog().AppendLogLine(line);
}

bool StartJob(platform::WindowHandle dialog) {
    IndexingJob& job = Job();
    platform::Ports& ports = platform::CurrentPorts();
    if (job.worker) {
        // An earlier worker that ended by itself may still be closing; one that was left running
        // keeps the job's reader and view.
        if (!job.worker->WaitFor(kWorkerStopLimit)) return false;
        job.worker.reset();
    }
    job.dialog = dialog;
    job.baseReader.Close();
    job.view = ports.jobViews->ForDialog(dialog);
    if (CreateStopEvent()) job.worker = ports.threads->StartThread(&JobWorker);
    if (!job.worker) EndJob();
    return job.worker != nullptr;
}

void JobWorker() {
    IndexingJob& job = Job();
    job.state = JobState::kRunning;
    job.totals.skipped = 0;
    job.totals.bad = 0;
    job.totals.indexed = 0;
    try {
        try {
            IndexAllAccounts(job);
        } catch (const CKVRFailException& failure) {
            if (const std::uint32_t line = LineForFailure(failure.Code())) {
                AppendLogLine(LoadResourceString(line));
            }
        } catch (...) {
            AppendLogLine(LoadResourceString(strings::kUnhandledException));
        }
    } catch (...) {
        // The log line itself could not be made; the job ends all the same.
    }
    job.state = JobState::kIdle;
    job.view->PostJobEnded();
    // The worker closes what the job holds but leaves its own handle recorded for the next
    // start or clean-up.
    CloseJobResources(job);
}

bool PauseJob(bool pause) {
    IndexingJob& job = Job();
    if (job.state == JobState::kIdle || !job.worker) return false;
    // The worker may end between the test above and the suspension. The state moves only from
    // running to paused and back, so it never leaves an ended job looking active, and a
    // suspension that came too late is undone at once, so that the worker can finish.
    if (pause) {
        if (job.worker->Suspend() < 0) return false;
        JobState expected = JobState::kRunning;
        if (!job.state.compare_exchange_strong(expected, JobState::kPaused) &&
            expected == JobState::kIdle) {
            job.worker->Resume();
            return false;
        }
        return true;
    }
    const std::int32_t previous = job.worker->Resume();
    if (previous == 0 || previous == 1) {
        JobState expected = JobState::kPaused;
        job.state.compare_exchange_strong(expected, JobState::kRunning);
    }
    return true;
}

bool StopJob() {
    StopJobWithin(platform::Thread::kNoTimeLimit);
    return true;
}

bool StopJobWithin(std::chrono::milliseconds limit) {
    IndexingJob& job = Job();
    if (job.worker) {
        // The worker is resumed from every suspension, a pause included, so that it meets the
        // stop request.
        SignalStop();
        while (job.worker->Resume() > 0) {
        }
        if (!job.worker->WaitFor(limit)) return false;
        job.worker.reset();
    }
    EndJob();
    job.state = JobState::kIdle;
    return true;
}

void EndJob() {
    IndexingJob& job = Job();
    if (job.worker && !job.worker->IsCurrentThread()) {
        if (job.worker->IsRunning()) return;
        job.worker.reset();
    }
    CloseJobResources(job);
}

}  // namespace ombrel
