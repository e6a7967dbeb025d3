#pragma once

namespace ombrel {

// The question that long readers (the message parser, the event builder, the folder pass) ask
// between their steps: has the indexing job been told to stop? The job answers it from its stop
// event for the work it runs; work outside a job passes NeverStop().
class StopRequest {
  public:
    virtual ~StopRequest() = default;
    virtual bool IsSignalled() const = 0;
};

// The answer for work that no job runs: never.
const StopRequest& NeverStop();

// Abandons the work at hand with CKVRFailException code 0 when the request is signalled.
void ThrowIfStopRequested(const StopRequest& request);

}  // namespace ombrel
