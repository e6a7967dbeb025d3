#pragma once

#include "platform/JobView.h"

namespace ombrel::platform::win32 {

// The dialog's list-view 208 and progress bar 209, updated with synchronous window messages.
class Win32JobViews final : public JobViews {
  public:
    std::unique_ptr<JobView> ForDialog(WindowHandle dialog) override;
};

}  // namespace ombrel::platform::win32
