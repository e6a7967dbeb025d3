#pragma once

namespace ombrel {

// The stop request of the indexing job, as every thread sees it: yes only while a job's stop
// event exists and is set. Checking takes no lock, so a worker suspended at a check point never
// holds up another thread's check.
bool StopRequested();

// A check point of the job's work (the folder pass, the parser, the event submission): a paused
// worker holds here where the platform pauses at check points, and a stop request ends the work
// with CKVRFailException carrying 0.
void CheckForStop();

// The job's stop event: created (manual reset, not set) when a job starts, set to ask it to stop,
// closed when the job ends. False when it cannot be created.
bool CreateStopEvent();
void SignalStop();
void CloseStopEvent();

}  // namespace ombrel
