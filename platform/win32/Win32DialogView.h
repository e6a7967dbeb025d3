#pragma once

#include <windows.h>

#include <optional>

#include "platform/Dialogs.h"
#include "platform/win32/Win32TreeControl.h"

namespace ombrel::platform::win32 {

// A dialog window and its controls, driven by the dialog functions and the controls' messages.
class Win32DialogView final : public DialogView {
  public:
    Win32DialogView(HWND dialog, HINSTANCE module) : dialog_(dialog), module_(module) {}

    WindowHandle Window() const override { return dialog_; }
    void SetCaption(const WideString& text) override;
    void SetItemText(int id, const WideString& text) override;
    void ShowItem(int id, bool shown) override;
    void EnableItem(int id, bool enabled) override;
    void AddItemStyle(int id, std::uint32_t style) override;
    bool IsItemChecked(int id) const override;
    void CheckItem(int id, bool checked) override;
    std::int32_t ComboSelection(int id) const override;
    std::int32_t ItemWidth(int id) const override;
    void InsertListColumn(int id, const WideString& text, std::int32_t width) override;
    void DeleteAllListItems(int id) override;
    TreeControl& Tree(int id) override;
    void CreateTooltips(std::int32_t maximumWidth) override;
    void AddTooltip(int id, std::uint32_t textId) override;
    void DestroyTooltips() override;
    void Post(std::uint32_t message) override;
    void End(std::intptr_t result) override;

  private:
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    HWND Tooltips() const;

    HWND dialog_;
    HINSTANCE module_;
    std::optional<Win32TreeControl> tree_;
};

}  // namespace ombrel::platform::win32
