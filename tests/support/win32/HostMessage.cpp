#include "tests/support/win32/HostMessage.h"

#include <algorithm>
#include <cstring>

namespace ombrel::standin {

std::int32_t __stdcall HostMessageCallback(void* handle, std::int32_t kind, void* buffer,
                                           std::int32_t size) {
    auto& message = *static_cast<HostMessage*>(handle);
    message.calls.push_back({kind, buffer != nullptr, size});
    if (buffer == nullptr) return message.reportedSize;
    const std::size_t count =
        std::min(message.text.size(), static_cast<std::size_t>(std::max(size, 0)));
    std::memcpy(buffer, message.text.data(), count);
    return static_cast<std::int32_t>(count);
}

}  // namespace ombrel::standin
