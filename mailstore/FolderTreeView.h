#pragma once

#include <cstdint>

#include "mailstore/MailAccount.h"
#include "platform/TreeControl.h"

namespace ombrel {

// The store shown in a tree-view control with check marks: state image 2 for a selected node,
// 1 for one that is not. Each item's data is the node it stands for. The operations that walk the
// control visit the items below the given one depth-first, parents before their children.

// The item data that stands for a node, and the node behind an item's data.
std::intptr_t ItemDataOf(MailNode& node);
MailNode* NodeOf(std::intptr_t itemData);

// True when the item's state image is the check mark (state bits under 0xF000 in 0x2000-0x2FFF).
bool IsChecked(const platform::TreeControl& control, platform::TreeControl::Item item);

// Inserts an item for the node as the last child of `parent`, with the text, expanded, checked
// when the node's state file says "Enabled"; kNoItem when the control refused it.
platform::TreeControl::Item InsertNodeItem(platform::TreeControl& control,
                                           platform::TreeControl::Item parent,
                                           const WideString& text, MailNode& node);
// Adds the folder's children under the parent item, in order and expanded, checked when their
// state file says "Enabled", and below each of them its own children; records each child's item.
void InsertFolderItems(platform::TreeControl::Item parent, MailFolder& folder,
                       platform::TreeControl& control);
// Checks (or unchecks) every item and sets its node's enabled flag alike.
void SetAllChecks(platform::TreeControl& control, platform::TreeControl::Item root, bool selected);
// Sets every node's enabled flag from its item's check mark.
void ReadChecks(platform::TreeControl& control, platform::TreeControl::Item root);
// Writes every item's check mark as its node's "Enabled" key and reloads the flag from the file.
void SaveChecks(platform::TreeControl& control, platform::TreeControl::Item root);
// Checks the items of nodes named "Sent", "Inbox" or "$KNOWN$" (in any case) and unchecks all
// others; enabled flags stay as they are.
void DefaultChecks(platform::TreeControl& control, platform::TreeControl::Item root);

}  // namespace ombrel
