#pragma once

#include "platform/Dialogs.h"
#include "platform/JobView.h"
#include "platform/MessageBoxes.h"

namespace ombrel::platform::posix {

// The window ports of a process without windows, such as a command in a terminal. A message box
// is written to standard error, as "caption: text", and answered 0, since nobody can press a
// button; no dialog can be shown; the job's updates go to a dialog that does not exist and are
// dropped, as Windows drops messages to windows that do not exist.
class StderrMessageBoxes final : public MessageBoxes {
  public:
    int Show(WindowHandle owner, const WideString& text, const WideString& caption,
             std::uint32_t style) override;
};

class WindowlessDialogs final : public Dialogs {
  public:
    WindowHandle ActiveWindow() const override { return nullptr; }
    bool RegisterLinkClass() override { return false; }
    void UnregisterLinkClass() override {}
    std::intptr_t RunModal(std::uint32_t templateId, WindowHandle owner,
                           DialogProcedure& procedure) override;
};

class WindowlessJobViews final : public JobViews {
  public:
    std::unique_ptr<JobView> ForDialog(WindowHandle dialog) override;
};

// One of each, for a platform without windows.
struct Windowless {
    StderrMessageBoxes messageBoxes;
    WindowlessDialogs dialogs;
    WindowlessJobViews jobViews;
};

}  // namespace ombrel::platform::posix
