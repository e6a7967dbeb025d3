#pragma once

#include <cstdint>

namespace ombrel::platform {

// A tree-view control (SysTreeView32), through the messages the core sends it. Items are opaque
// handles; kRoot stands for the invisible root above the top-level items (TVI_ROOT) and kNoItem
// for none. Item state bits are those of the control: the state image index in bits 12 to 15
// (mask 0xF000), TVIS_EXPANDED 0x20.
class TreeControl {
  public:
    using Item = std::uintptr_t;
    static constexpr Item kRoot = ~Item{0xFFFF};  // TVI_ROOT, (HTREEITEM)-0x10000
    static constexpr Item kNoItem = 0;
    static constexpr std::uint32_t kStateImageMask = 0xF000;
    static constexpr std::uint32_t kExpanded = 0x20;

    static constexpr std::uint32_t StateImage(std::uint32_t index) { return index << 12; }

    virtual ~TreeControl() = default;

    // TVM_INSERTITEMW as the last child of `parent`, with text, item data and the state bits
    // under the mask; kNoItem on failure.
    virtual Item InsertLast(Item parent, const char16_t* text, std::intptr_t data,
                            std::uint32_t state, std::uint32_t stateMask) = 0;
    // TVM_GETNEXTITEM with TVGN_CHILD (the first top-level item for kRoot), and with TVGN_NEXT.
    virtual Item FirstChild(Item item) const = 0;
    virtual Item NextSibling(Item item) const = 0;
    // TVM_GETITEMW for the item data (lParam).
    virtual std::intptr_t ItemData(Item item) const = 0;
    // TVM_GETITEMSTATE: the item's state bits under the mask.
    virtual std::uint32_t ItemState(Item item, std::uint32_t mask) const = 0;
    // TVM_SETITEMW with TVIF_STATE: sets the state bits under the mask.
    virtual void SetItemState(Item item, std::uint32_t state, std::uint32_t mask) = 0;
};

}  // namespace ombrel::platform
