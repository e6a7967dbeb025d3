#include "platform/RegistryText.h"

#include <algorithm>
#include <vector>

namespace ombrel {

std::optional<WideString> ReadRegistryText(platform::Registry& registry,
                                           platform::Registry::Key key, const char16_t* name,
                                           std::uint32_t bufferBytes) {
    std::vector<char16_t> buffer(bufferBytes / sizeof(char16_t) + 1, u'\0');
    std::uint32_t size = bufferBytes;
    if (registry.QueryValue(key, name, nullptr, buffer.data(), &size) != platform::reg::kSuccess) {
        return std::nullopt;
    }
    const std::u16string_view data(buffer.data(), std::min(size, bufferBytes) / sizeof(char16_t));
    return WideString(data.substr(0, data.find(u'\0')));
}

}  // namespace ombrel
