#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/WideString.h"
#include "platform/TreeControl.h"

namespace ombrel {

// What accounts and folders have in common: the node of the store that a state file belongs to
// and that a tree item stands for.
struct MailNode {
    static constexpr std::int32_t kAccount = 1;
    static constexpr std::int32_t kFolder = 2;

    bool enabled = false;  // selected for indexing
    WideString directory;  // empty, or ending with a backslash
    WideString name;       // the host's user name, or the folder name the host stores
    std::int32_t kind;

  protected:
    explicit MailNode(std::int32_t nodeKind) : kind(nodeKind) {}
};

// A mail folder of the host; it owns its subfolders.
struct MailFolder : MailNode {
    MailFolder() : MailNode(kFolder) {}

    WideString displayName;  // shown to the user and used in folder paths
    platform::TreeControl::Item treeItem = platform::TreeControl::kNoItem;
    MailFolder* parent = nullptr;  // null for an account's root folder
    std::vector<std::unique_ptr<MailFolder>> children;
    bool hasOwnDirectory = false;  // the folder record named its directory
};

// One of the host's mail accounts, with its tree of folders below its root folder.
struct MailAccount : MailNode {
    MailAccount() : MailNode(kAccount) { rootFolder.hasOwnDirectory = true; }

    platform::TreeControl::Item treeItem = platform::TreeControl::kNoItem;
    WideString address;      // property 0x8159 of "Account.CFN"
    WideString secondValue;  // property 0x818E of "Account.CFN", kept only
    MailFolder rootFolder;   // never indexed itself; its children are the top-level folders
};

// The accounts in the host's order; the list owns them.
using AccountList = std::vector<std::unique_ptr<MailAccount>>;

}  // namespace ombrel
