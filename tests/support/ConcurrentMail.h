#pragma once

#include <string>
#include <vector>

#include "tests/support/IndexerJournal.h"

namespace ombrel::testing {

// Mail for `threads` receiving threads, `each` messages apiece, every sample kind in turn; the
// even threads' mail goes to anna@work.example, the odd ones' to anna@home.example. No two
// messages are alike.
std::vector<std::vector<std::string>> MailPerThread(int threads, int each);

// The events without their "received" property, in an order of their own: what the same messages
// give whenever and in whatever order they arrive.
std::vector<standin::ReceivedEvent> EventsWithoutTimes(std::vector<standin::ReceivedEvent> events);

}  // namespace ombrel::testing
