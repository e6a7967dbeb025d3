#pragma once

#include <windows.h>

#include "platform/ModuleFile.h"

namespace ombrel::platform::win32 {

// The loaded module's file name and resources.
class Win32ModuleFile final : public ModuleFile {
  public:
    explicit Win32ModuleFile(HINSTANCE module) : module_(module) {}
    WideString Path() const override;
    std::optional<std::string> RegistryScript(std::uint32_t id) const override;

  private:
    HINSTANCE module_;
};

}  // namespace ombrel::platform::win32
