#include "platform/win32/Win32HyperLink.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "common/HomePage.h"
#include "tests/support/win32/ImportHook.h"

namespace ombrel::platform::win32 {
namespace {

std::vector<std::wstring>& OpenedAddresses() {
    static std::vector<std::wstring> opened;
    return opened;
}

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT show) {
    if (verb == nullptr && parameters == nullptr && directory == nullptr &&
        show == SW_SHOWDEFAULT) {
        OpenedAddresses().emplace_back(file);
    } else {
        OpenedAddresses().emplace_back(L"<unexpected arguments>");
    }
    return reinterpret_cast<HINSTANCE>(33);
}

const std::wstring kAddress(kHomePage, kHomePage + std::char_traits<char16_t>::length(kHomePage));

class HyperLink : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = GetModuleHandleW(nullptr);
        ASSERT_TRUE(RegisterHyperLinkClass(module_));
        standin::HookImport(module_, "shell32.dll", "ShellExecuteW",
                            reinterpret_cast<void*>(&RecordShellExecute));
        OpenedAddresses().clear();
        link_ = CreateWindowExW(0, kHyperLinkClass, L"text of the template", WS_POPUP, 0, 0, 200,
                                20, nullptr, nullptr, module_, nullptr);
        ASSERT_NE(link_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(link_);
        UnregisterHyperLinkClass(module_);
    }

    std::wstring Text(WPARAM capacity, LRESULT* copied = nullptr) const {
        std::wstring buffer(capacity + 4, L'#');
        const LRESULT count =
            SendMessageW(link_, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer.data()));
        if (copied != nullptr) *copied = count;
        return buffer.c_str();
    }

    HINSTANCE module_ = nullptr;
    HWND link_ = nullptr;
};

TEST_F(HyperLink, TheTemplateTextIsReplacedByTheAddressAtCreation) {
    EXPECT_EQ(Text(256), kAddress);
    wchar_t painted[64] = {};
    EXPECT_EQ(GetWindowTextW(link_, painted, 64), static_cast<int>(kAddress.size()));
}

TEST_F(HyperLink, GetTextCopiesAtMostTheBufferIncludingTheTerminator) {
    LRESULT copied = 0;
    EXPECT_EQ(Text(10, &copied), kAddress.substr(0, 9));
    EXPECT_EQ(copied, 9);
    EXPECT_EQ(Text(1, &copied), L"");
    EXPECT_EQ(copied, 0);
}

TEST_F(HyperLink, SetTextReplacesWhatItShowsAndOpens) {
    EXPECT_EQ(SendMessageW(link_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://x.test/")),
              TRUE);
    EXPECT_EQ(Text(64), L"https://x.test/");
    SendMessageW(link_, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>{L"https://x.test/"});
}

TEST_F(HyperLink, OnlyAPlainLeftButtonReleaseOpensTheAddress) {
    for (WPARAM keys : {WPARAM{MK_SHIFT}, WPARAM{MK_CONTROL}, WPARAM{MK_RBUTTON}}) {
        SendMessageW(link_, WM_LBUTTONUP, keys, MAKELPARAM(3, 3));
    }
    SendMessageW(link_, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(OpenedAddresses().empty());
    SendMessageW(link_, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>{kAddress});
}

TEST_F(HyperLink, TheClassHasTheDialogFaceBackgroundAndTheHandCursor) {
    WNDCLASSW info = {};
    ASSERT_TRUE(GetClassInfoW(module_, kHyperLinkClass, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_BYTEALIGNWINDOW));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(info.hIcon, nullptr);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_NE(info.hCursor, nullptr);
}

}  // namespace
}  // namespace ombrel::platform::win32
