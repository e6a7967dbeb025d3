#pragma once

#include <string>

#include "mailstore/MailAccount.h"
#include "platform/posix/PosixPlatform.h"

namespace ombrel::cli {

// The accounts of a copy of the host's working directory `dataDirectory` (a path as the core
// writes them, ending with a backslash), as the library finds them: from the host's "Users Depot"
// in the registry export `regFile` when one is given (the export is loaded into the platform's
// registry), otherwise every folder of the directory that holds an "ACCOUNT.FLB", named after
// the folder, in name order. Either way the working directory's own account follows when it has
// folders. Throws std::runtime_error when the export does not read or names no accounts.
AccountList StoreAccounts(platform::posix::PosixPlatform& posix,
                          const std::u16string& dataDirectory, const std::string& regFile);

}  // namespace ombrel::cli
