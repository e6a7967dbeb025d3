#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

#include "common/WideString.h"
#include "mailstore/MessageBaseFile.h"
#include "platform/Handles.h"
#include "platform/JobView.h"
#include "platform/Threads.h"

namespace ombrel {

enum class JobState : std::int32_t { kIdle = 0, kRunning = 1, kPaused = 2 };

// The message counts of the current or last job.
struct JobTotals {
    std::atomic<std::int32_t> skipped = 0;
    std::atomic<std::int32_t> bad = 0;
    std::atomic<std::int32_t> indexed = 0;
};

// The one background re-indexing job of the library, run for the settings dialog.
struct IndexingJob {
    platform::WindowHandle dialog = nullptr;
    std::atomic<JobState> state = JobState::kIdle;
    JobTotals totals;
    CTheBatNBBFile baseReader;  // opened on one folder at a time by the folder pass
    // Set and forgotten on the dialog's thread only, never while a worker runs: a suspended
    // worker must not hold a lock that the dialog's thread needs.
    std::unique_ptr<platform::Thread> worker;
    std::unique_ptr<platform::JobView> view;  // the dialog's log list and progress bar
};

IndexingJob& Job();

// Starts a job that indexes every enabled folder of every account for the dialog. False when
// the worker could not be started.
bool StartJob(platform::WindowHandle dialog);
// Pauses (suspends) or unpauses (resumes once) the running worker; suspensions nest. False when
// no job runs, also when the worker ended just as it was being paused.
bool PauseJob(bool pause);
// Ends a running job and waits for its worker. Always true.
bool StopJob();
// Ends a running job as StopJob does, but waits for its worker at most `limit`: false when the
// worker still runs then, and keeps what the job holds.
bool StopJobWithin(std::chrono::milliseconds limit);
// Closes what the job holds, unless a worker that is not the caller still runs: its files, its
// event and its handle are then left to it rather than closed under it.
void EndJob();

// How long the job waits for a worker that it asks to stop before it leaves that worker to itself:
// when a new job starts after one that ended by itself, and when the library is finalised.
constexpr std::chrono::seconds kWorkerStopLimit{5};

// The worker thread's procedure.
void JobWorker();

// Adds a line at the end of the dialog's log and scrolls it into view.
void AppendLogLine(const WideString& line);
// The dialog's log list and progress bar of the running job.
platform::JobView& JobDialog();

}  // namespace ombrel
