#include "tests/support/ScriptedRegistry.h"

namespace ombrel::testing {

std::int32_t ScriptedRegistry::Scripted(const std::string& method) const {
    auto found = failures_.find(method);
    return found != failures_.end() ? found->second : platform::reg::kSuccess;
}

std::int32_t ScriptedRegistry::OpenKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                                       Key& key) {
    opened_.push_back(u"Open " + std::u16string(subKey));
    if (const std::int32_t error = Scripted("OpenKey")) return error;
    return inner_.OpenKey(parent, subKey, access, key);
}

std::int32_t ScriptedRegistry::CreateKey(Key parent, std::u16string_view subKey,
                                         std::uint32_t access, Key& key) {
    opened_.push_back(u"Create " + std::u16string(subKey));
    if (const std::int32_t error = Scripted("CreateKey")) return error;
    return inner_.CreateKey(parent, subKey, access, key);
}

std::int32_t ScriptedRegistry::CloseKey(Key key) {
    return inner_.CloseKey(key);
}

std::int32_t ScriptedRegistry::QueryValue(Key key, const char16_t* name, std::uint32_t* type,
                                          void* data, std::uint32_t* size) {
    if (const std::int32_t error = Scripted("QueryValue")) return error;
    return inner_.QueryValue(key, name, type, data, size);
}

std::int32_t ScriptedRegistry::SetValue(Key key, const char16_t* name, std::uint32_t type,
                                        const void* data, std::uint32_t size) {
    if (const std::int32_t error = Scripted("SetValue")) return error;
    return inner_.SetValue(key, name, type, data, size);
}

std::int32_t ScriptedRegistry::EnumKey(Key key, std::uint32_t index, char16_t* name,
                                       std::uint32_t* nameLength) {
    if (const std::int32_t error = Scripted("EnumKey")) return error;
    return inner_.EnumKey(key, index, name, nameLength);
}

std::int32_t ScriptedRegistry::DeleteKey(Key parent, std::u16string_view subKey) {
    if (const std::int32_t error = Scripted("DeleteKey")) return error;
    return inner_.DeleteKey(parent, subKey);
}

std::int32_t ScriptedRegistry::DeleteValue(Key key, const char16_t* name) {
    if (const std::int32_t error = Scripted("DeleteValue")) return error;
    return inner_.DeleteValue(key, name);
}

}  // namespace ombrel::testing
