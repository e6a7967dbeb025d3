#pragma once

#include <map>

#include "platform/ModuleFile.h"

namespace ombrel::platform::posix {

// The library's module file as settings: its path (unknown until set) and its registration
// scripts, which start as the script of the resources, compiled in.
class PosixModuleFile final : public ModuleFile {
  public:
    PosixModuleFile();

    WideString Path() const override;
    std::optional<std::string> RegistryScript(std::uint32_t id) const override;

    void SetPath(WideString path) { path_ = std::move(path); }
    // Replaces the script of the id, or removes it when given none.
    void SetRegistryScript(std::uint32_t id, std::optional<std::string> script);

  private:
    WideString path_;
    std::map<std::uint32_t, std::string> scripts_;
};

}  // namespace ombrel::platform::posix
