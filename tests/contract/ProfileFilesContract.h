#pragma once

#include <string>

#include "platform/ProfileFiles.h"
#include "tests/contract/PortContract.h"
#include "tests/support/TempDirectory.h"

namespace ombrel::contract {

class ProfileFilesContract : public PortContract<platform::ProfileFiles> {
  protected:
    // GetString with a buffer of `size` units; the count it answered goes to `count`.
    std::u16string Get(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                       std::uint32_t size = 512, std::uint32_t* count = nullptr) const;

    testing::TempDirectory scratch;
    std::u16string file = scratch.File(u"state.ini").Std();
};

}  // namespace ombrel::contract
