#pragma once

#include "platform/Registry.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Every case works below this key of HKEY_CURRENT_USER and removes it at its end.
inline constexpr const char16_t* kRegistryTestRoot = u"Software\\OmbrelContractTests";

class RegistryContract : public PortContract<platform::Registry> {
  protected:
    void TearDown() override;
    void PutString(std::u16string_view path, const char16_t* name, std::u16string_view value);
    bool HasKey(std::u16string_view path);
};

}  // namespace ombrel::contract
