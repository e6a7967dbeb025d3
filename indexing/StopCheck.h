#pragma once

#include <memory>

#include "platform/Threads.h"

namespace ombrel {

// The stop request of the indexing job, as every thread sees it: yes only while a job exists and
// its stop event is set.
bool StopRequested();

// A check point of the job's work (the folder pass, the parser, the event submission): a paused
// worker holds here where the platform pauses at check points, and a stop request ends the work
// with CKVRFailException carrying 0.
void CheckForStop();

// The job's stop event, published for the stop check while the job exists (null when none).
void PublishStopEvent(std::shared_ptr<platform::Event> event);

}  // namespace ombrel
