#pragma once

#include <windows.h>

namespace ombrel::platform::win32 {

// The "hyperLink" window class of the settings dialog's link: it shows the developer's web page
// address in the system's link colour and opens it when clicked. It exists while the dialog does.
bool RegisterHyperLinkClass(HINSTANCE module);
void UnregisterHyperLinkClass(HINSTANCE module);

inline constexpr const wchar_t* kHyperLinkClass = L"hyperLink";

}  // namespace ombrel::platform::win32
