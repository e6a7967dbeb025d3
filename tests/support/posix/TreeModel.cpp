#include "tests/support/posix/TreeModel.h"

#include <algorithm>
#include <stdexcept>

namespace ombrel::platform::posix {

TreeControl::Item TreeModel::InsertLast(Item parent, const char16_t* text, std::intptr_t data,
                                        std::uint32_t state, std::uint32_t stateMask) {
    if (parent != kRoot && Find(parent) == nullptr) return kNoItem;
    Node node;
    node.parent = parent;
    node.text = text != nullptr ? text : u"";
    node.data = data;
    node.state = state & stateMask;
    nodes_.push_back(std::move(node));
    const Item item = nodes_.size();
    (parent == kRoot ? topLevel_ : Find(parent)->children).push_back(item);
    return item;
}

TreeControl::Item TreeModel::FirstChild(Item item) const {
    if (item != kRoot && Find(item) == nullptr) return kNoItem;
    const std::vector<Item>& children = Children(item);
    return children.empty() ? kNoItem : children.front();
}

TreeControl::Item TreeModel::NextSibling(Item item) const {
    const Node* node = Find(item);
    if (node == nullptr) return kNoItem;
    const std::vector<Item>& siblings = Children(node->parent);
    const auto at = std::find(siblings.begin(), siblings.end(), item);
    return at + 1 < siblings.end() ? *(at + 1) : kNoItem;
}

std::intptr_t TreeModel::ItemData(Item item) const {
    const Node* node = Find(item);
    return node != nullptr ? node->data : 0;
}

std::uint32_t TreeModel::ItemState(Item item, std::uint32_t mask) const {
    const Node* node = Find(item);
    return node != nullptr ? node->state & mask : 0;
}

void TreeModel::SetItemState(Item item, std::uint32_t state, std::uint32_t mask) {
    Node* node = Find(item);
    if (node != nullptr) node->state = (node->state & ~mask) | (state & mask);
}

const TreeModel::Node& TreeModel::At(Item item) const {
    const Node* node = Find(item);
    if (node == nullptr) throw std::out_of_range("no such tree item");
    return *node;
}

const std::vector<TreeControl::Item>& TreeModel::Children(Item item) const {
    return item == kRoot ? topLevel_ : At(item).children;
}

const TreeModel::Node* TreeModel::Find(Item item) const {
    return item >= 1 && item <= nodes_.size() ? &nodes_[item - 1] : nullptr;
}

TreeModel::Node* TreeModel::Find(Item item) {
    return item >= 1 && item <= nodes_.size() ? &nodes_[item - 1] : nullptr;
}

}  // namespace ombrel::platform::posix
