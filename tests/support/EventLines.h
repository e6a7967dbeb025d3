#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/IndexerJournal.h"

namespace ombrel::standin {

// Prints the events from `first` on, one JSON object a line, with the pass that sent them and the
// fields that tell a message apart: folder, subject, time received (UTC) and mail flags.
void PrintEvents(const std::vector<ReceivedEvent>& events, std::size_t first, const char* pass);

// Prints the event that the message file `file` gave, one JSON object on one line, with every
// property in the order received: name, variant type and value.
void PrintEvent(const std::u16string& file, const ReceivedEvent& event);

}  // namespace ombrel::standin
