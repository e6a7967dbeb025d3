#include "tests/support/posix/RecordingJobViews.h"

namespace ombrel::platform::posix {
namespace {

using Kind = JobViewUpdate::Kind;

class RecordingJobView final : public JobView {
  public:
    RecordingJobView(RecordingJobViews& views, WindowHandle dialog)
        : views_(views), dialog_(dialog) {}

    void AppendLogLine(const WideString& line) override { Add(Kind::LogLine, 0, line); }
    void SetProgressRange(std::int32_t maximum) override { Add(Kind::ProgressRange, maximum); }
    void SetProgressStep(std::int32_t step) override { Add(Kind::ProgressStep, step); }
    void SetProgressPosition(std::int32_t position) override {
        Add(Kind::ProgressPosition, position);
    }
    void StepProgress() override { Add(Kind::StepIt, 0); }
    void PostJobEnded() override { Add(Kind::JobEnded, 0); }

  private:
    void Add(Kind kind, std::int32_t value, const WideString& line = {}) {
        views_.Record({dialog_, kind, line, value});
    }

    RecordingJobViews& views_;
    WindowHandle dialog_;
};

}  // namespace

std::unique_ptr<JobView> RecordingJobViews::ForDialog(WindowHandle dialog) {
    return std::make_unique<RecordingJobView>(*this, dialog);
}

void RecordingJobViews::Record(const JobViewUpdate& update) {
    {
        std::lock_guard lock(mutex_);
        updates_.push_back(update);
    }
    if (deliver_) deliver_(update);
}

std::vector<JobViewUpdate> RecordingJobViews::Updates() const {
    std::lock_guard lock(mutex_);
    return updates_;
}

std::vector<WideString> RecordingJobViews::LogLines() const {
    std::lock_guard lock(mutex_);
    std::vector<WideString> lines;
    for (const JobViewUpdate& update : updates_) {
        if (update.kind == Kind::LogLine) lines.push_back(update.line);
    }
    return lines;
}

void RecordingJobViews::Clear() {
    std::lock_guard lock(mutex_);
    updates_.clear();
}

}  // namespace ombrel::platform::posix
