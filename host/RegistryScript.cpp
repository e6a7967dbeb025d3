#include "host/RegistryScript.h"

#include "platform/RegistryTree.h"

namespace ombrel {
namespace {

using platform::Registry;
using platform::ScopedKey;
namespace reg = platform::reg;

std::int32_t IgnoringMissing(std::int32_t status) {
    return status == reg::kFileNotFound ? reg::kSuccess : status;
}

HResult RegisterKey(Registry& registry, Registry::Key parent, const RegistryScript::Key& key) {
    if (key.mode == RegistryScript::KeyMode::ForceRemove) {
        const std::int32_t removed = IgnoringMissing(DeleteKeyTree(registry, parent, key.name));
        if (removed != reg::kSuccess) return FromWin32(removed);
    }
    ScopedKey opened(registry);
    const std::int32_t created =
        registry.CreateKey(parent, key.name, reg::kRead | reg::kWrite, *opened.Receive());
    if (created != reg::kSuccess) return FromWin32(created);
    for (const RegistryScript::Value& value : key.values) {
        const std::int32_t set =
            registry.SetValue(opened.Get(), value.name.c_str(), value.type, value.data.data(),
                              static_cast<std::uint32_t>(value.data.size()));
        if (set != reg::kSuccess) return FromWin32(set);
    }
    for (const RegistryScript::Key& subkey : key.subkeys) {
        const HResult result = RegisterKey(registry, opened.Get(), subkey);
        if (Failed(result)) return result;
    }
    return hr::kOk;
}

HResult UnregisterKey(Registry& registry, Registry::Key parent, const RegistryScript::Key& key) {
    if (key.mode != RegistryScript::KeyMode::NoRemove) {
        return FromWin32(IgnoringMissing(DeleteKeyTree(registry, parent, key.name)));
    }
    ScopedKey opened(registry);
    const std::int32_t status =
        registry.OpenKey(parent, key.name, reg::kRead | reg::kWrite, *opened.Receive());
    if (status != reg::kSuccess) return FromWin32(IgnoringMissing(status));
    for (const RegistryScript::Value& value : key.values) {
        const std::int32_t deleted =
            IgnoringMissing(registry.DeleteValue(opened.Get(), value.name.c_str()));
        if (deleted != reg::kSuccess) return FromWin32(deleted);
    }
    for (const RegistryScript::Key& subkey : key.subkeys) {
        const HResult result = UnregisterKey(registry, opened.Get(), subkey);
        if (Failed(result)) return result;
    }
    return hr::kOk;
}

template <typename Step>
HResult ForEachRootKey(const std::vector<RegistryScript::Root>& roots, Registry& registry,
                       Step step) {
    for (const RegistryScript::Root& root : roots) {
        for (const RegistryScript::Key& key : root.keys) {
            const HResult result = step(registry, root.handle, key);
            if (Failed(result)) return result;
        }
    }
    return hr::kOk;
}

}  // namespace

HResult RegistryScript::Register(Registry& registry) const {
    return ForEachRootKey(roots_, registry, RegisterKey);
}

HResult RegistryScript::Unregister(Registry& registry) const {
    return ForEachRootKey(roots_, registry, UnregisterKey);
}

}  // namespace ombrel
