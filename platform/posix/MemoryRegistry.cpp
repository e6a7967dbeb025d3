#include "platform/posix/MemoryRegistry.h"

#include <cstring>

#include "common/CaseFolding.h"

namespace ombrel::platform::posix {

struct MemoryRegistry::Node {
    struct Value {
        std::uint32_t type = reg::kTypeNone;
        std::vector<std::uint8_t> data;
    };
    std::u16string name;                                       // as created
    std::map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
    std::map<std::u16string, Value> values;                    // by folded name
    bool deleted = false;
};

MemoryRegistry::MemoryRegistry()
    : classesRoot_(std::make_unique<Node>()), currentUser_(std::make_unique<Node>()) {}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Resolve(Key key) const {
    if (key == kClassesRoot) return classesRoot_.get();
    if (key == kCurrentUser) return currentUser_.get();
    auto found = open_.find(key);
    return found != open_.end() && !found->second->deleted ? found->second : nullptr;
}

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, std::u16string_view path, bool create) {
    Node* node = from;
    while (node != nullptr && !path.empty()) {
        const std::size_t slash = path.find(u'\\');
        const std::u16string_view part = path.substr(0, slash);
        path = slash == std::u16string_view::npos ? std::u16string_view() : path.substr(slash + 1);
        if (part.empty()) continue;
        const std::u16string folded = FoldCase(part);
        auto found = node->children.find(folded);
        if (found == node->children.end()) {
            if (!create) return nullptr;
            auto child = std::make_unique<Node>();
            child->name = std::u16string(part);
            found = node->children.emplace(folded, std::move(child)).first;
        }
        node = found->second.get();
    }
    return node;
}

MemoryRegistry::Key MemoryRegistry::Track(Node* node) {
    const Key key = next_;
    next_ += 4;
    open_[key] = node;
    return key;
}

std::int32_t MemoryRegistry::OpenKey(Key parent, std::u16string_view subKey,
                                     std::uint32_t /*access*/, Key& key) {
    std::lock_guard lock(mutex_);
    Node* from = Resolve(parent);
    if (from == nullptr) return reg::kInvalidHandle;
    Node* node = Walk(from, subKey, false);
    if (node == nullptr) return reg::kFileNotFound;
    key = Track(node);
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::CreateKey(Key parent, std::u16string_view subKey,
                                       std::uint32_t /*access*/, Key& key) {
    std::lock_guard lock(mutex_);
    Node* from = Resolve(parent);
    if (from == nullptr) return reg::kInvalidHandle;
    key = Track(Walk(from, subKey, true));
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::CloseKey(Key key) {
    std::lock_guard lock(mutex_);
    if (key == kClassesRoot || key == kCurrentUser) return reg::kSuccess;
    return open_.erase(key) != 0 ? reg::kSuccess : reg::kInvalidHandle;
}

std::int32_t MemoryRegistry::QueryValue(Key key, const char16_t* name, std::uint32_t* type,
                                        void* data, std::uint32_t* size) {
    std::lock_guard lock(mutex_);
    Node* node = Resolve(key);
    if (node == nullptr) return reg::kInvalidHandle;
    if (data != nullptr && size == nullptr) return reg::kInvalidParameter;
    auto found = node->values.find(FoldCase(name != nullptr ? name : u""));
    if (found == node->values.end()) return reg::kFileNotFound;
    const Node::Value& value = found->second;
    if (type != nullptr) *type = value.type;
    if (size == nullptr) return reg::kSuccess;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return reg::kMoreData;
        }
        if (needed != 0) std::memcpy(data, value.data.data(), needed);
    }
    *size = needed;
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::SetValue(Key key, const char16_t* name, std::uint32_t type,
                                      const void* data, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    Node* node = Resolve(key);
    if (node == nullptr) return reg::kInvalidHandle;
    if (data == nullptr && size != 0) return reg::kInvalidParameter;
    Node::Value& value = node->values[FoldCase(name != nullptr ? name : u"")];
    value.type = type;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    value.data.assign(bytes, bytes + size);
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::EnumKey(Key key, std::uint32_t index, char16_t* name,
                                     std::uint32_t* nameLength) {
    std::lock_guard lock(mutex_);
    Node* node = Resolve(key);
    if (node == nullptr) return reg::kInvalidHandle;
    if (name == nullptr || nameLength == nullptr) return reg::kInvalidParameter;
    if (index >= node->children.size()) return reg::kNoMoreItems;
    auto child = node->children.begin();
    std::advance(child, index);
    const std::u16string& childName = child->second->name;
    if (childName.size() + 1 > *nameLength) return reg::kMoreData;
    std::memcpy(name, childName.data(), childName.size() * sizeof(char16_t));
    name[childName.size()] = u'\0';
    *nameLength = static_cast<std::uint32_t>(childName.size());
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::DeleteKey(Key parent, std::u16string_view subKey) {
    std::lock_guard lock(mutex_);
    Node* from = Resolve(parent);
    if (from == nullptr) return reg::kInvalidHandle;
    const std::size_t slash = subKey.rfind(u'\\');
    Node* owner =
        slash == std::u16string_view::npos ? from : Walk(from, subKey.substr(0, slash), false);
    const std::u16string_view leaf =
        slash == std::u16string_view::npos ? subKey : subKey.substr(slash + 1);
    if (owner == nullptr || leaf.empty()) return reg::kFileNotFound;
    auto found = owner->children.find(FoldCase(leaf));
    if (found == owner->children.end()) return reg::kFileNotFound;
    if (!found->second->children.empty()) return reg::kAccessDenied;
    found->second->deleted = true;
    for (auto it = open_.begin(); it != open_.end();) {
        it = it->second == found->second.get() ? open_.erase(it) : std::next(it);
    }
    owner->children.erase(found);
    return reg::kSuccess;
}

std::int32_t MemoryRegistry::DeleteValue(Key key, const char16_t* name) {
    std::lock_guard lock(mutex_);
    Node* node = Resolve(key);
    if (node == nullptr) return reg::kInvalidHandle;
    return node->values.erase(FoldCase(name != nullptr ? name : u"")) != 0 ? reg::kSuccess
                                                                           : reg::kFileNotFound;
}

void MemoryRegistry::PutString(Key root, std::u16string_view path, std::u16string_view name,
                               std::u16string_view value) {
    std::vector<std::uint8_t> bytes((value.size() + 1) * sizeof(char16_t), 0);
    std::memcpy(bytes.data(), value.data(), value.size() * sizeof(char16_t));
    PutBytes(root, path, name, reg::kTypeString, bytes);
}

void MemoryRegistry::PutDword(Key root, std::u16string_view path, std::u16string_view name,
                              std::uint32_t value) {
    std::vector<std::uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    PutBytes(root, path, name, reg::kTypeDword, bytes);
}

void MemoryRegistry::PutBytes(Key root, std::u16string_view path, std::u16string_view name,
                              std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    Node* node = Walk(Resolve(root), path, true);
    node->values[FoldCase(name)] = {type, bytes};
}

bool MemoryRegistry::HasKey(Key root, std::u16string_view path) const {
    std::lock_guard lock(mutex_);
    return Walk(Resolve(root), path, false) != nullptr;
}

void MemoryRegistry::Clear() {
    std::lock_guard lock(mutex_);
    open_.clear();
    classesRoot_ = std::make_unique<Node>();
    currentUser_ = std::make_unique<Node>();
}

std::size_t MemoryRegistry::OpenKeyCount() const {
    std::lock_guard lock(mutex_);
    return open_.size();
}

}  // namespace ombrel::platform::posix
