#pragma once

#include "common/WideString.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// Indexes, below the account's root folder, the messages newer than each enabled folder's
// recorded time.
void RunExitPass(MailAccount& account, const WideString& pathPrefix);

}  // namespace ombrel
