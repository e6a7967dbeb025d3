#include "platform/RegistryTree.h"

namespace ombrel {

std::int32_t DeleteKeyTree(platform::Registry& registry, platform::Registry::Key parent,
                           std::u16string_view path) {
    namespace reg = platform::reg;
    {
        platform::ScopedKey key(registry);
        const std::int32_t opened = registry.OpenKey(parent, path, reg::kRead, *key.Receive());
        if (opened != reg::kSuccess) return opened;
        // Each deleted subkey moves the next one to index 0.
        for (;;) {
            char16_t name[256];
            std::uint32_t length = 256;
            if (registry.EnumKey(key.Get(), 0, name, &length) != reg::kSuccess) break;
            const std::int32_t deleted = DeleteKeyTree(registry, key.Get(), {name, length});
            if (deleted != reg::kSuccess) return deleted;
        }
    }
    return registry.DeleteKey(parent, path);
}

}  // namespace ombrel
