#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace ombrel::platform::posix {

// The registry of the native build: kept in memory, filled by tests or by a host, and answering
// as the Windows registry functions do (names compare without regard to case, subkeys enumerate in
// order of their names, a key with subkeys cannot be deleted).
class MemoryRegistry final : public Registry {
  public:
    MemoryRegistry();
    ~MemoryRegistry() override;

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

    // Conveniences for tests and hosts: a string value (stored with its terminator), a 32-bit
    // value, raw bytes; each creates the key path as needed. `path` is relative to `root`.
    void PutString(Key root, std::u16string_view path, std::u16string_view name,
                   std::u16string_view value);
    void PutDword(Key root, std::u16string_view path, std::u16string_view name,
                  std::uint32_t value);
    void PutBytes(Key root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
                  const std::vector<std::uint8_t>& bytes);
    bool HasKey(Key root, std::u16string_view path) const;
    void Clear();
    // Keys currently open (tests check that every opened key was closed).
    std::size_t OpenKeyCount() const;

    struct Node;

  private:
    Node* Resolve(Key key) const;
    static Node* Walk(Node* from, std::u16string_view path, bool create);
    Key Track(Node* node);

    mutable std::recursive_mutex mutex_;
    std::unique_ptr<Node> classesRoot_;
    std::unique_ptr<Node> currentUser_;
    std::map<Key, Node*> open_;
    Key next_ = 0x1000;
};

}  // namespace ombrel::platform::posix
