#pragma once

#include <windows.h>

#include "platform/TreeControl.h"

namespace ombrel::platform::win32 {

// A SysTreeView32 window, driven by its messages.
class Win32TreeControl final : public TreeControl {
  public:
    explicit Win32TreeControl(HWND window) : window_(window) {}

    Item InsertLast(Item parent, const char16_t* text, std::intptr_t data, std::uint32_t state,
                    std::uint32_t stateMask) override;
    Item FirstChild(Item item) const override;
    Item NextSibling(Item item) const override;
    std::intptr_t ItemData(Item item) const override;
    std::uint32_t ItemState(Item item, std::uint32_t mask) const override;
    void SetItemState(Item item, std::uint32_t state, std::uint32_t mask) override;

  private:
    HWND window_;
};

}  // namespace ombrel::platform::win32
