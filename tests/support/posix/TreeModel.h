#pragma once

#include <string>
#include <vector>

#include "platform/TreeControl.h"

namespace ombrel::platform::posix {

// A tree-view control of the native build: the items in memory, answering the tree-view messages
// as the control does, and open to inspection by tests.
class TreeModel final : public TreeControl {
  public:
    struct Node {
        Item parent = kRoot;
        std::u16string text;
        std::intptr_t data = 0;
        std::uint32_t state = 0;
        std::vector<Item> children;
    };

    Item InsertLast(Item parent, const char16_t* text, std::intptr_t data, std::uint32_t state,
                    std::uint32_t stateMask) override;
    Item FirstChild(Item item) const override;
    Item NextSibling(Item item) const override;
    std::intptr_t ItemData(Item item) const override;
    std::uint32_t ItemState(Item item, std::uint32_t mask) const override;
    void SetItemState(Item item, std::uint32_t state, std::uint32_t mask) override;

    // The item, which must exist.
    const Node& At(Item item) const;
    // The top-level items (for kRoot) or an item's children, in order.
    const std::vector<Item>& Children(Item item) const;
    std::size_t Count() const { return nodes_.size(); }

  private:
    const Node* Find(Item item) const;
    Node* Find(Item item);

    std::vector<Node> nodes_;  // item n is nodes_[n - 1]
    std::vector<Item> topLevel_;
};

}  // namespace ombrel::platform::posix
