#pragma once

#include <windows.h>

#include "platform/Dialogs.h"

namespace ombrel::platform::win32 {

// Modal dialogs of the library's module, run by the dialog manager of Windows, and the link's
// window class.
class Win32Dialogs final : public Dialogs {
  public:
    explicit Win32Dialogs(HINSTANCE module) : module_(module) {}

    WindowHandle ActiveWindow() const override;
    bool RegisterLinkClass() override;
    void UnregisterLinkClass() override;
    std::intptr_t RunModal(std::uint32_t templateId, WindowHandle owner,
                           DialogProcedure& procedure) override;

  private:
    HINSTANCE module_;
};

}  // namespace ombrel::platform::win32
