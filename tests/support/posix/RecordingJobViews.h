#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/JobView.h"

namespace ombrel::platform::posix {

// One update the job made, as the dialog would have received it.
struct JobViewUpdate {
    enum class Kind { LogLine, ProgressRange, ProgressStep, ProgressPosition, StepIt, JobEnded };
    WindowHandle dialog = nullptr;
    Kind kind = Kind::LogLine;
    WideString line;
    std::int32_t value = 0;
    friend bool operator==(const JobViewUpdate&, const JobViewUpdate&) = default;
};

// Job views of the native build: every update is recorded in order, for tests and the native host,
// and handed on to the dialog window it is meant for (see ModelDialogs).
class RecordingJobViews final : public JobViews {
  public:
    using Delivery = std::function<void(const JobViewUpdate&)>;

    explicit RecordingJobViews(Delivery deliver = {}) : deliver_(std::move(deliver)) {}

    std::unique_ptr<JobView> ForDialog(WindowHandle dialog) override;

    void Record(const JobViewUpdate& update);
    std::vector<JobViewUpdate> Updates() const;
    std::vector<WideString> LogLines() const;
    void Clear();

  private:
    Delivery deliver_;
    mutable std::mutex mutex_;
    std::vector<JobViewUpdate> updates_;
};

}  // namespace ombrel::platform::posix
