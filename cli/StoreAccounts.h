#pragma once

#include <string>
#include <vector>

#include "mailstore/MailAccount.h"
#include "platform/posix/PosixPlatform.h"

namespace ombrel::cli {

// A part of the mail store that a run could not read: its path for the user, and why.
struct UnreadPart {
    std::string path;
    std::string why;
};

// The accounts of a copy of the host's working directory `dataDirectory` (a path as the core
// writes them, ending with a backslash), as the library finds them: from the host's "Users Depot"
// in the registry export `regFile` when one is given (the export is loaded into the platform's
// registry), otherwise every folder of the directory that holds an "ACCOUNT.FLB", named after
// the folder, in name order, and the working directory's own account when it has a folder list
// (from the registry, when that account has folders). An entry of the directory that cannot be told
// to be an account or not (a name that is not UTF-8, a symbolic link loop, a directory that cannot
// be read) is added to `unread` and passed over. Throws std::runtime_error when the export does not
// read or names no accounts.
AccountList StoreAccounts(platform::posix::PosixPlatform& posix,
                          const std::u16string& dataDirectory, const std::string& regFile,
                          std::vector<UnreadPart>& unread);

}  // namespace ombrel::cli
