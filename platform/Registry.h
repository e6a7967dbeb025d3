#pragma once

#include <cstdint>
#include <string_view>

namespace ombrel::platform {

// Registry results, access rights and value types, with the values of the Windows API.
namespace reg {
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kFileNotFound = 2;
inline constexpr std::int32_t kAccessDenied = 5;
inline constexpr std::int32_t kInvalidHandle = 6;
inline constexpr std::int32_t kInvalidParameter = 87;
inline constexpr std::int32_t kMoreData = 234;
inline constexpr std::int32_t kNoMoreItems = 259;

inline constexpr std::uint32_t kQueryValue = 0x0001;
inline constexpr std::uint32_t kSetValue = 0x0002;
inline constexpr std::uint32_t kCreateSubKey = 0x0004;
inline constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kRead = 0x20019;   // KEY_READ
inline constexpr std::uint32_t kWrite = 0x20006;  // KEY_WRITE
inline constexpr std::uint32_t kAllAccess = 0xF003F;

inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeString = 1;
inline constexpr std::uint32_t kTypeExpandString = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiString = 7;
}  // namespace reg

// The registry, as the Windows registry functions offer it. Keys are opaque handles; the
// predefined roots are the handles of Windows (HKEY_CLASSES_ROOT 0x80000000, HKEY_CURRENT_USER
// 0x80000001).
class Registry {
  public:
    using Key = std::uintptr_t;
    static constexpr Key kClassesRoot = 0x80000000U;
    static constexpr Key kCurrentUser = 0x80000001U;

    virtual ~Registry() = default;

    // RegOpenKeyExW.
    virtual std::int32_t OpenKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                                 Key& key) = 0;
    // RegCreateKeyExW without class, options or security: opens the key, creating it if needed.
    virtual std::int32_t CreateKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                                   Key& key) = 0;
    virtual std::int32_t CloseKey(Key key) = 0;
    // RegQueryValueExW: with null data it only reports the size; with data smaller than the value
    // it reports kMoreData and the size needed. `name` null or empty is the default value.
    virtual std::int32_t QueryValue(Key key, const char16_t* name, std::uint32_t* type, void* data,
                                    std::uint32_t* size) = 0;
    // RegSetValueExW.
    virtual std::int32_t SetValue(Key key, const char16_t* name, std::uint32_t type,
                                  const void* data, std::uint32_t size) = 0;
    // RegEnumKeyExW: `nameLength` is the buffer's size in units on entry and the name's length
    // without terminator on return; a name that does not fit reports kMoreData.
    virtual std::int32_t EnumKey(Key key, std::uint32_t index, char16_t* name,
                                 std::uint32_t* nameLength) = 0;
    // RegDeleteKeyW: only a key without subkeys can be deleted.
    virtual std::int32_t DeleteKey(Key parent, std::u16string_view subKey) = 0;
    // RegDeleteValueW. `name` null or empty is the default value.
    virtual std::int32_t DeleteValue(Key key, const char16_t* name) = 0;
};

// Closes a key when it goes out of scope.
class ScopedKey {
  public:
    explicit ScopedKey(Registry& registry) : registry_(registry) {}
    ~ScopedKey() {
        if (key_ != 0) registry_.CloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    Registry::Key Get() const { return key_; }
    Registry::Key* Receive() { return &key_; }

  private:
    Registry& registry_;
    Registry::Key key_ = 0;
};

}  // namespace ombrel::platform
