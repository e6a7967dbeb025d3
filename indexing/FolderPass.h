#pragma once

#include "common/WideString.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// Indexes every enabled descendant of the folder (not the folder itself) for the running job,
// counting into the job's totals and reporting to its dialog.
void IndexChildFolders(MailFolder& folder, const WideString& parentPath);

}  // namespace ombrel
