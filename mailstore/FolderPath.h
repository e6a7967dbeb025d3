#pragma once

#include "common/WideString.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// Folder paths name a folder for the user and the indexer: the account's name, then for each
// folder level a backslash and the folder's display name (Main\Inbox\Lists; for the common
// account, whose name is empty, \Inbox).

// The path of a child folder below its parent's path.
WideString ChildPath(const WideString& parentPath, const MailFolder& child);
// The whole path of a folder of the account.
WideString FolderPath(const MailAccount& account, const MailFolder& folder);

}  // namespace ombrel
