#pragma once

#include "platform/Registry.h"

namespace ombrel::platform::win32 {

// The Windows registry functions, called with exactly the arguments the core gives.
class Win32Registry final : public Registry {
  public:
    std::int32_t OpenKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                         Key& key) override;
    std::int32_t CreateKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                           Key& key) override;
    std::int32_t CloseKey(Key key) override;
    std::int32_t QueryValue(Key key, const char16_t* name, std::uint32_t* type, void* data,
                            std::uint32_t* size) override;
    std::int32_t SetValue(Key key, const char16_t* name, std::uint32_t type, const void* data,
                          std::uint32_t size) override;
    std::int32_t EnumKey(Key key, std::uint32_t index, char16_t* name,
                         std::uint32_t* nameLength) override;
    std::int32_t DeleteKey(Key parent, std::u16string_view subKey) override;
    std::int32_t DeleteValue(Key key, const char16_t* name) override;
};

}  // namespace ombrel::platform::win32
