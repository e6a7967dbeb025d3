#include "platform/win32/Win32Dialogs.h"

#include <commctrl.h>

#include <memory>

#include "platform/win32/Win32DialogView.h"
#include "platform/win32/Win32HyperLink.h"

namespace ombrel::platform::win32 {
namespace {

// The window property that holds a running dialog; the user-data slot is the tooltips'.
constexpr const wchar_t* kDialogProperty = L"OmbrelDesktopDialog";

// What a modal dialog's procedure needs from WM_INITDIALOG on.
struct RunningDialog {
    DialogProcedure& procedure;
    HINSTANCE module = nullptr;
    std::unique_ptr<Win32DialogView> view;
};

// Hands every message from WM_INITDIALOG on to the core. Nothing thrown may reach the dialog
// manager: a failed message is left to the default handling.
INT_PTR CALLBACK DialogProcedureOf(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* running = static_cast<RunningDialog*>(GetPropW(dialog, kDialogProperty));
        if (message == WM_INITDIALOG) {
            // RunModal hands its running dialog over as the parameter of WM_INITDIALOG.
            running =
                reinterpret_cast<RunningDialog*>(lParam);  // NOLINT(performance-no-int-to-ptr)
            running->view = std::make_unique<Win32DialogView>(dialog, running->module);
            SetPropW(dialog, kDialogProperty, running);
        }
        if (running == nullptr) return FALSE;
        if (message == WM_NCDESTROY) {
            RemovePropW(dialog, kDialogProperty);
            return FALSE;
        }
        return running->procedure.Handle(*running->view, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

WindowHandle Win32Dialogs::ActiveWindow() const {
    return GetActiveWindow();
}

bool Win32Dialogs::RegisterLinkClass() {
    return RegisterHyperLinkClass(module_);
}

void Win32Dialogs::UnregisterLinkClass() {
    UnregisterHyperLinkClass(module_);
}

std::intptr_t Win32Dialogs::RunModal(std::uint32_t templateId, WindowHandle owner,
                                     DialogProcedure& procedure) {
    // The template's tree, list, progress bar and tooltips are common controls.
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES |
                                                              ICC_LISTVIEW_CLASSES |
                                                              ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    RunningDialog running{procedure, module_, nullptr};
    return DialogBoxParamW(module_, MAKEINTRESOURCEW(templateId), static_cast<HWND>(owner),
                           &DialogProcedureOf, reinterpret_cast<LPARAM>(&running));
}

}  // namespace ombrel::platform::win32
