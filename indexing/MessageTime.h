#pragma once

#include <cstdint>

#include "common/SystemTime.h"

namespace ombrel {

// The calendar time of a message from the seconds since 1970 that its base record holds: the
// count as a FILETIME split into a SYSTEMTIME, then taken twice through the current zone's
// local-to-UTC conversion. It is the time submitted for the message and the time that folders'
// "Monitor" values are compared with and set to, so every pass must convert alike.
SystemTime MessageTime(std::int32_t storedSeconds);

}  // namespace ombrel
