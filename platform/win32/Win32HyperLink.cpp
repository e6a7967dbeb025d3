#include "platform/win32/Win32HyperLink.h"

#include <shellapi.h>

#include <cstring>

#include "common/HomePage.h"
#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {
namespace {

constexpr int kPaintedCharacters = 64;  // the buffer that painting reads the text into

// The control's text, kept as the window's user data.
wchar_t* StoredText(HWND window) {
    return reinterpret_cast<wchar_t*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void StoreText(HWND window, const wchar_t* text) {
    wchar_t* copy = nullptr;
    if (text != nullptr) {
        const std::size_t length = std::wcslen(text);
        copy = new wchar_t[length + 1];
        std::memcpy(copy, text, (length + 1) * sizeof(wchar_t));
    }
    delete[] reinterpret_cast<wchar_t*>(
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(copy)));
}

LRESULT CopyText(HWND window, WPARAM capacity, wchar_t* buffer) {
    const wchar_t* text = StoredText(window);
    if (text == nullptr || buffer == nullptr || capacity == 0) return 0;
    const std::size_t count = std::min<std::size_t>(std::wcslen(text), capacity - 1);
    std::memcpy(buffer, text, count * sizeof(wchar_t));
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
}

void Paint(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    wchar_t text[kPaintedCharacters] = {};
    GetWindowTextW(window, text, kPaintedCharacters);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));
    DrawTextW(dc, text, -1, &client, 0);
    SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK HyperLinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SendMessageW(window, WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(ombrel::win32::Wide(kHomePage)));
            return 0;
        case WM_SETTEXT:
            StoreText(window, reinterpret_cast<const wchar_t*>(lParam));
            return TRUE;
        case WM_GETTEXT:
            return CopyText(window, wParam, reinterpret_cast<wchar_t*>(lParam));
        case WM_LBUTTONUP:
            // Only a plain click: no other button down, neither Shift nor Ctrl.
            if (wParam == 0 && StoredText(window) != nullptr) {
                ShellExecuteW(nullptr, nullptr, StoredText(window), nullptr, nullptr,
                              SW_SHOWDEFAULT);
            }
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_NCDESTROY:
            StoreText(window, nullptr);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterHyperLinkClass(HINSTANCE module) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = &HyperLinkProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = static_cast<HCURSOR>(
        LoadImageW(nullptr, MAKEINTRESOURCEW(32649), IMAGE_CURSOR, 13, 14, LR_SHARED));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kHyperLinkClass;
    return RegisterClassW(&windowClass) != 0;
}

void UnregisterHyperLinkClass(HINSTANCE module) {
    UnregisterClassW(kHyperLinkClass, module);
}

}  // namespace ombrel::platform::win32
