#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/WideString.h"

namespace ombrel::platform {

// The library's own module file.
class ModuleFile {
  public:
    virtual ~ModuleFile() = default;
    // GetModuleFileNameW for the library: its full path, at most 1023 characters (a longer one is
    // cut); empty when it cannot be told.
    virtual WideString Path() const = 0;
    // The bytes of the library's resource of type "REGISTRY" with this id, or nothing when the
    // module has no such resource.
    virtual std::optional<std::string> RegistryScript(std::uint32_t id) const = 0;
};

}  // namespace ombrel::platform
