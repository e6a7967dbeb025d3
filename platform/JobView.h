#pragma once

#include <cstdint>
#include <memory>

#include "common/WideString.h"
#include "platform/Handles.h"

namespace ombrel::platform {

// The settings dialog's log list and progress bar as the indexing job updates them from its
// worker thread. Each update is complete when the call returns (the dialog has handled it),
// except the end-of-job notice, which is posted.
class JobView {
  public:
    virtual ~JobView() = default;
    // Adds the line as the log's last item and scrolls the log so that it shows.
    virtual void AppendLogLine(const WideString& line) = 0;
    virtual void SetProgressRange(std::int32_t maximum) = 0;  // 0 to maximum
    virtual void SetProgressStep(std::int32_t step) = 0;
    virtual void SetProgressPosition(std::int32_t position) = 0;
    virtual void StepProgress() = 0;
    // Posts WM_USER + 1 (wParam 0, lParam 0) to the dialog.
    virtual void PostJobEnded() = 0;
};

// Gives the job view of a dialog window.
class JobViews {
  public:
    virtual ~JobViews() = default;
    virtual std::unique_ptr<JobView> ForDialog(WindowHandle dialog) = 0;
};

}  // namespace ombrel::platform
