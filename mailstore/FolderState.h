#pragma once

#include "common/SystemTime.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// The state file of a node, in its directory, and its section.
inline constexpr const char16_t* kStateFileName = u"kvrdirinfo.cookie";
inline constexpr const char16_t* kStateSection = u"KVR Directory Information";

// True when the node has a directory and its "Enabled" key reads as a nonzero integer.
bool ReadEnabled(const MailNode& node);
// Writes "Enabled" as "1" or "0" when the node has a directory, then sets the node's enabled flag
// from what the file now says.
void WriteEnabled(MailNode& node, bool selected);
// The "Monitor" time of the node: true with the time when a valid value is stored, otherwise false
// with all zeros; false at once for a null result.
bool ReadMonitorTime(const MailNode& node, SystemTime* time);
// Stores the time as "Monitor" when the node has a directory.
void WriteMonitorTime(const SystemTime& time, const MailNode& node);
// Stores the time as "Monitor" when it is later than the stored one (or none is stored). The
// indexing job and the incoming-mail hooks on the host's threads may move the same folder's time
// at once: they read, compare and write it one at a time, so that it never moves back.
void MoveMonitorTimeForward(const SystemTime& time, const MailNode& node);

}  // namespace ombrel
