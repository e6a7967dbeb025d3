#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "tests/support/posix/DialogModel.h"

namespace ombrel::platform::posix {

// Modal dialogs of the native build. A dialog is a DialogModel that a scripted user works while
// it is "shown": RunModal opens it with WM_INITDIALOG, hands it to the user, and returns the value
// the dialog ended with, or -1 when it did not end or could not be created (its template names the
// link class, so without that class it cannot). The calls are recorded in order.
class ModelDialogs final : public Dialogs {
  public:
    using User = std::function<void(DialogModel&)>;

    WindowHandle ActiveWindow() const override { return activeWindow_; }
    bool RegisterLinkClass() override;
    void UnregisterLinkClass() override;
    std::intptr_t RunModal(std::uint32_t templateId, WindowHandle owner,
                           DialogProcedure& procedure) override;

    void SetActiveWindow(WindowHandle window) { activeWindow_ = window; }
    void SetUser(User user) { user_ = std::move(user); }
    void RefuseLinkClass(bool refuse) { refuseLinkClass_ = refuse; }
    // "RegisterLinkClass", "RunModal 203 owner 4660" (the owner's handle as a number) and
    // "UnregisterLinkClass", as they came.
    std::vector<std::string> Calls() const;

    // Opens a dialog of the procedure with WM_INITDIALOG for a test to drive itself; it receives
    // the job's updates while the returned model lives.
    std::shared_ptr<DialogModel> Open(DialogProcedure& procedure);
    // Hands a job update to the open dialog it is meant for; others are dropped, as Windows drops
    // messages to windows that do not exist.
    void Deliver(const JobViewUpdate& update);

  private:
    void Record(std::string call);

    WindowHandle activeWindow_ = nullptr;
    User user_;
    bool refuseLinkClass_ = false;
    bool linkClassRegistered_ = false;

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<std::weak_ptr<DialogModel>> open_;
    std::uintptr_t nextWindow_ = 0x10000;
};

}  // namespace ombrel::platform::posix
