#pragma once

#include <cstddef>
#include <vector>

#include "tests/support/IndexerJournal.h"

namespace ombrel::standin {

// Prints the events from `first` on, one JSON object a line, with the pass that sent them and the
// fields that tell a message apart: folder, subject, time received (UTC) and mail flags.
void PrintEvents(const std::vector<ReceivedEvent>& events, std::size_t first, const char* pass);

}  // namespace ombrel::standin
