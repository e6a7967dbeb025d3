#pragma once

#include <cstdint>

#include "common/SystemTime.h"
#include "common/WideString.h"
#include "indexer/EmailEvent.h"
#include "mailstore/MessageBaseFile.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// What became of one message of a folder's base.
enum class MessageOutcome { kSkipped, kBad, kIndexed };

// Sends message `number` of the open base to the indexer as an e-mail event filed in
// `folderPath`, parsed in the workspace's message (reset afterwards). A message marked as not to be
// indexed, or one that the indexer did not take, is skipped; one that does not read is bad.
// `newest` moves forward to the message's time. Throws what submitting an event throws.
MessageOutcome IndexStoredMessage(CTheBatNBBFile& base, std::uint32_t number,
                                  MessageWorkspace& workspace, const WideString& folderPath,
                                  SystemTime& newest);

}  // namespace ombrel
