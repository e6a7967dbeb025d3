#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace ombrel::testing {

// A registry that passes every call to another one, records the keys opened or created (as
// "Open <path>" or "Create <path>"), and answers a scripted error to every call of a method it was
// told to fail ("OpenKey", "CreateKey", "SetValue", "DeleteKey", ...).
class ScriptedRegistry final : public platform::Registry {
  public:
    explicit ScriptedRegistry(platform::Registry& inner) : inner_(inner) {}

    void Fail(const std::string& method, std::int32_t error) { failures_[method] = error; }
    const std::vector<std::u16string>& Opened() const { return opened_; }

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

  private:
    // The scripted error of the method, or 0 to pass the call on.
    std::int32_t Scripted(const std::string& method) const;

    platform::Registry& inner_;
    std::map<std::string, std::int32_t> failures_;
    std::vector<std::u16string> opened_;
};

}  // namespace ombrel::testing
