#pragma once

#include <cstdint>

namespace ombrel {

// The host's data callback of the spam-score hook, bound to one message.
class MessageDataSource {
  public:
    virtual ~MessageDataSource() = default;
    // As the host's callback: with a null buffer and -1 it answers the data's size; with a buffer
    // and its size it fills the buffer.
    virtual std::int32_t Fetch(std::int32_t dataKind, void* buffer, std::int32_t size) = 0;
};

// Indexes an incoming message when the library is initialised and indexing on receipt is on. Never
// rates the message: always -1.
std::int32_t IndexIncomingMessage(MessageDataSource& source);

}  // namespace ombrel
