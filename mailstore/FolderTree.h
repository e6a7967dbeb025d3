#pragma once

#include <memory>

#include "common/WideString.h"
#include "mailstore/MailAccount.h"

namespace ombrel {

// Folder trees never grow deeper than this many levels below an account's root; a damaged folder
// list that goes deeper is cut there.
inline constexpr int kMaxFolderDepth = 256;

// The name shown for a folder the host stores under `storedName`.
WideString DisplayName(const WideString& storedName);

// Builds an account with its folder tree from its directory: its enabled flag from the state
// file, its address from "Account.CFN" and its folders from "ACCOUNT.FLB". An account whose
// settings or folder list do not read has no folders. The directory must not be empty.
std::unique_ptr<MailAccount> BuildAccount(const WideString& name, const WideString& directory);

}  // namespace ombrel
