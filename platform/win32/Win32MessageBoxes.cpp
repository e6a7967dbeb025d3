#include "platform/win32/Win32MessageBoxes.h"

#include <windows.h>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

int Win32MessageBoxes::Show(WindowHandle owner, const WideString& text, const WideString& caption,
                            std::uint32_t style) {
    return MessageBoxW(static_cast<HWND>(owner), ombrel::win32::Wide(text.CStr()),
                       ombrel::win32::Wide(caption.CStr()), style);
}

}  // namespace ombrel::platform::win32
