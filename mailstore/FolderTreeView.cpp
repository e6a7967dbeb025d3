#include "mailstore/FolderTreeView.h"

#include <vector>

#include "common/TextCompare.h"
#include "mailstore/FolderState.h"

namespace ombrel {
namespace {

using platform::TreeControl;

constexpr std::uint32_t kUnchecked = TreeControl::StateImage(1);
constexpr std::uint32_t kChecked = TreeControl::StateImage(2);

void SetCheck(TreeControl& control, TreeControl::Item item, bool checked) {
    control.SetItemState(item, checked ? kChecked : kUnchecked, TreeControl::kStateImageMask);
}

// Calls visit(item, node) for every item below `root`, parents before children. Items without a
// node have none to change, but their children are still visited.
template <typename Visit>
void ForEachItem(TreeControl& control, TreeControl::Item root, Visit visit) {
    std::vector<TreeControl::Item> resume;  // next siblings of the items whose children come first
    TreeControl::Item item = control.FirstChild(root);
    while (item != TreeControl::kNoItem || !resume.empty()) {
        if (item == TreeControl::kNoItem) {
            item = resume.back();
            resume.pop_back();
        }
        visit(item, NodeOf(control.ItemData(item)));
        const TreeControl::Item next = control.NextSibling(item);
        const TreeControl::Item child = control.FirstChild(item);
        if (child != TreeControl::kNoItem && next != TreeControl::kNoItem) resume.push_back(next);
        item = child != TreeControl::kNoItem ? child : next;
    }
}

bool IsDefaultSelection(const WideString& name) {
    return EqualsIgnoringCase(name.View(), u"Sent") || EqualsIgnoringCase(name.View(), u"Inbox") ||
           EqualsIgnoringCase(name.View(), u"$KNOWN$");
}

}  // namespace

std::intptr_t ItemDataOf(MailNode& node) {
    return reinterpret_cast<std::intptr_t>(&node);
}

MailNode* NodeOf(std::intptr_t itemData) {
    // Item data is how the control carries the node: it was made from a node's address.
    return reinterpret_cast<MailNode*>(itemData);  // NOLINT(performance-no-int-to-ptr)
}

bool IsChecked(const TreeControl& control, TreeControl::Item item) {
    const std::uint32_t image = control.ItemState(item, TreeControl::kStateImageMask);
    return image >= 0x2000 && image <= 0x2FFF;
}

TreeControl::Item InsertNodeItem(TreeControl& control, TreeControl::Item parent,
                                 const WideString& text, MailNode& node) {
    const std::uint32_t image = ReadEnabled(node) ? kChecked : kUnchecked;
    return control.InsertLast(parent, text.CStr(), ItemDataOf(node), image | TreeControl::kExpanded,
                              TreeControl::kStateImageMask | TreeControl::kExpanded);
}

void InsertFolderItems(TreeControl::Item parent, MailFolder& folder, TreeControl& control) {
    for (const auto& child : folder.children) {
        child->treeItem = InsertNodeItem(control, parent, child->displayName, *child);
        InsertFolderItems(child->treeItem, *child, control);
    }
}

void SetAllChecks(TreeControl& control, TreeControl::Item root, bool selected) {
    ForEachItem(control, root, [&](TreeControl::Item item, MailNode* node) {
        SetCheck(control, item, selected);
        if (node != nullptr) node->enabled = selected;
    });
}

void ReadChecks(TreeControl& control, TreeControl::Item root) {
    ForEachItem(control, root, [&](TreeControl::Item item, MailNode* node) {
        if (node != nullptr) node->enabled = IsChecked(control, item);
    });
}

void SaveChecks(TreeControl& control, TreeControl::Item root) {
    ForEachItem(control, root, [&](TreeControl::Item item, MailNode* node) {
        if (node != nullptr) WriteEnabled(*node, IsChecked(control, item));
    });
}

void DefaultChecks(TreeControl& control, TreeControl::Item root) {
    ForEachItem(control, root, [&](TreeControl::Item item, const MailNode* node) {
        SetCheck(control, item, node != nullptr && IsDefaultSelection(node->name));
    });
}

}  // namespace ombrel
