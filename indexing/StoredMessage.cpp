#include "indexing/StoredMessage.h"

#include "indexer/EmailEvent.h"
#include "indexing/MessageTime.h"

namespace ombrel {

MessageOutcome IndexStoredMessage(CTheBatNBBFile& base, std::uint32_t number,
                                  MessageWorkspace& workspace, const WideString& folderPath,
                                  SystemTime& newest) {
    const std::uint32_t status = base.Index().Entry(number).status;
    if ((status & CTheBatNBIFile::kStatusNotIndexed) != 0) return MessageOutcome::kSkipped;
    const char* text = nullptr;
    std::uint32_t size = 0;
    std::int32_t stored = 0;
    if (!base.ReadMessage(number, &text, &size, &stored)) return MessageOutcome::kBad;
    ParsedMessage& message = workspace.message;
    message.parse(text, size);  // submitted whatever the parse made of it
    message.statusFlag = (status & CTheBatNBIFile::kStatusFlagged) != 0;
    const SystemTime time = MessageTime(stored);
    if (CompareTimes(time, newest) < 0) newest = time;
    const HResult result = SubmitEmailEvent(message, time, folderPath, workspace.event);
    message.reset();
    return Failed(result) ? MessageOutcome::kSkipped : MessageOutcome::kIndexed;
}

}  // namespace ombrel
