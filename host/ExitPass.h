#pragma once

#include "common/WideString.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// Indexes, in every enabled descendant of the parent folder that has a recorded "Monitor" time,
// the messages strictly newer than that time, and records the time of the last one indexed. The
// path prefix is the parent's folder path (an account's name for its root folder). Exceptions of
// the parser and the submission pass through and leave the current folder's time as it was.
void RunExitPass(MailFolder& parent, const WideString& pathPrefix);

}  // namespace ombrel
