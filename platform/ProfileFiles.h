#pragma once

#include <cstdint>

namespace ombrel::platform {

// Initialisation ("profile") files, as the Windows private-profile functions read and write them:
// section and key names compare without regard to case, and a write keeps every other section,
// key, comment and line of the file.
class ProfileFiles {
  public:
    virtual ~ProfileFiles() = default;

    // GetPrivateProfileStringW for one key: copies the value (or the default) into the buffer of
    // `size` units, cut to size - 1 units and always terminated; returns the units copied without
    // the terminator.
    virtual std::uint32_t GetString(const char16_t* section, const char16_t* key,
                                    const char16_t* defaultValue, char16_t* buffer,
                                    std::uint32_t size, const char16_t* file) const = 0;
    // GetPrivateProfileIntW.
    virtual std::uint32_t GetInt(const char16_t* section, const char16_t* key,
                                 std::int32_t defaultValue, const char16_t* file) const = 0;
    // WritePrivateProfileStringW for one key, creating the file and section when needed.
    virtual bool WriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                             const char16_t* file) = 0;
};

}  // namespace ombrel::platform
