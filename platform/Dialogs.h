#pragma once

#include <cstdint>

#include "common/WideString.h"
#include "platform/Handles.h"
#include "platform/TreeControl.h"

namespace ombrel::platform {

// Window messages of a dialog procedure, with the values of the Windows API.
namespace dialog {
inline constexpr std::uint32_t kInitDialog = 0x0110;  // WM_INITDIALOG
inline constexpr std::uint32_t kCommand =
    0x0111;                                     // WM_COMMAND, the control id in wParam's low word
inline constexpr std::uint32_t kUser = 0x0400;  // WM_USER
}  // namespace dialog

// A dialog window as its procedure drives it: its controls by id, as the dialog functions of
// Windows reach them. Operations on an id the dialog lacks do nothing.
class DialogView {
  public:
    virtual ~DialogView() = default;

    virtual WindowHandle Window() const = 0;
    virtual void SetCaption(const WideString& text) = 0;
    virtual void SetItemText(int id, const WideString& text) = 0;
    virtual void ShowItem(int id, bool shown) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    // Adds window style bits to the control.
    virtual void AddItemStyle(int id, std::uint32_t style) = 0;

    // Check boxes: checked means BST_CHECKED.
    virtual bool IsItemChecked(int id) const = 0;
    virtual void CheckItem(int id, bool checked) = 0;
    // A combo box's current selection index; -1 when nothing is selected.
    virtual std::int32_t ComboSelection(int id) const = 0;

    // List views: the control's window width in pixels, a left-aligned column inserted as column
    // 0, and deleting every item.
    virtual std::int32_t ItemWidth(int id) const = 0;
    virtual void InsertListColumn(int id, const WideString& text, std::int32_t width) = 0;
    virtual void DeleteAllListItems(int id) = 0;

    // The tree-view control with this id.
    virtual TreeControl& Tree(int id) = 0;

    // The dialog's tooltip window: created topmost and active with the given maximum tip width,
    // its handle kept in the dialog's user-data slot; one tool per control, the control's window
    // subclassed, its text a string of the library's table.
    virtual void CreateTooltips(std::int32_t maximumWidth) = 0;
    virtual void AddTooltip(int id, std::uint32_t textId) = 0;
    virtual void DestroyTooltips() = 0;

    // Posts the message (wParam 0, lParam 0) to the dialog itself.
    virtual void Post(std::uint32_t message) = 0;
    // Ends the modal dialog with the result.
    virtual void End(std::intptr_t result) = 0;
};

// The core's side of a dialog: what it does with each message. The result is the dialog
// procedure's (FALSE leaves a message to the default dialog handling).
class DialogProcedure {
  public:
    virtual ~DialogProcedure() = default;
    virtual std::intptr_t Handle(DialogView& view, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) = 0;
};

// Modal dialogs of the library's resources, and the window class of the settings dialog's link.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // GetActiveWindow: the calling thread's active window, or null.
    virtual WindowHandle ActiveWindow() const = 0;
    // Registers (RegisterClassW) or unregisters the "hyperLink" class of the library's module;
    // false when the registration failed.
    virtual bool RegisterLinkClass() = 0;
    virtual void UnregisterLinkClass() = 0;
    // DialogBoxParamW of the template with the owner: returns the value the dialog ended with,
    // or -1 when it could not be shown.
    virtual std::intptr_t RunModal(std::uint32_t templateId, WindowHandle owner,
                                   DialogProcedure& procedure) = 0;
};

}  // namespace ombrel::platform
