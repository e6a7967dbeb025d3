#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ombrel::standin {

// One incoming message as the host holds it, with the calls that the library made of the host's
// data callback for it.
struct HostMessage {
    struct Call {
        std::int32_t kind;
        bool withBuffer;
        std::int32_t size;
    };

    explicit HostMessage(std::string message)
        : text(std::move(message)), reportedSize(static_cast<std::int32_t>(text.size())) {}

    std::string text;
    std::int32_t reportedSize;  // answered when asked for the size
    std::vector<Call> calls;
};

// The host's data callback of TBP_GetSpamScore, for a message handle that points to a
// HostMessage: with a null buffer it answers the size, otherwise it copies as much of the text as
// fits.
std::int32_t __stdcall HostMessageCallback(void* handle, std::int32_t kind, void* buffer,
                                           std::int32_t size);

}  // namespace ombrel::standin
