#pragma once

#include <string>

#include "common/HResult.h"
#include "common/SystemTime.h"
#include "common/WideString.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// The schema of the indexer's e-mail events, and the flags with which each is sent.
inline constexpr const char16_t* kEmailSchema = u"Ombrel.Desktop.Email";
inline constexpr std::uint32_t kEmailSendFlags = 0x2001;

// The buffers in which an event's text is built. Kept from one message to the next, their memory
// is reused.
struct EventBuffers {
    std::u16string content;
    std::string bodyBytes;  // a body's transfer-decoded bytes
};

// What indexing messages one after another works in: the parsed message and the event's buffers,
// reused from one message to the next.
struct MessageWorkspace {
    ParsedMessage message;
    EventBuffers event;
};

// Sends the message to the indexer as one e-mail event filed at `received` in the folder
// `folderPath` (left out when empty). Returns the result of sending, or of making the event when
// that failed. Throws CKVRFailException with 0 when the indexing job is asked to stop (before the
// event is made or after it was sent), and with the indexer's result when that is "disabled",
// "not running" or "paused"; CAtlException when a string cannot be had.
HResult SubmitEmailEvent(const ParsedMessage& message, const SystemTime& received,
                         const WideString& folderPath, EventBuffers& buffers);
// As above, with buffers of its own.
HResult SubmitEmailEvent(const ParsedMessage& message, const SystemTime& received,
                         const WideString& folderPath);

}  // namespace ombrel
