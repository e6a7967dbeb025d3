// Dialog template 203 as compiled into the resources: its frame and every control in template
// order, read back from the binary DLGTEMPLATEEX.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/HomePage.h"

namespace {

struct Control {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring windowClass;
    std::wstring text;
};

struct Dialog {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    std::vector<Control> controls;
};

// Reads the template's fields in order; the reader never goes past the resource's end.
class TemplateReader {
  public:
    TemplateReader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Read() {
        T value{};
        if (at_ + sizeof(T) <= size_) std::memcpy(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring ReadText() {
        std::wstring text;
        for (WORD unit = Read<WORD>(); unit != 0 && at_ <= size_; unit = Read<WORD>()) {
            text.push_back(static_cast<wchar_t>(unit));
        }
        return text;
    }
    // A name or an ordinal: ordinals of the predefined classes come back as their names.
    std::wstring ReadNameOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            const WORD ordinal = Read<WORD>();
            const wchar_t* names[] = {L"Button",  L"Edit",      L"Static",
                                      L"ListBox", L"ScrollBar", L"ComboBox"};
            return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : L"#ordinal";
        }
        at_ -= sizeof(WORD);
        return ReadText();
    }
    void AlignToDword() { at_ = (at_ + 3) & ~std::size_t{3}; }
    bool Overran() const { return at_ > size_; }

  private:
    const BYTE* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

Dialog LoadDialog(WORD id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (resource == nullptr) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    TemplateReader reader(data, SizeofResource(module, resource));
    Dialog dialog;
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF) return {};
    reader.Read<DWORD>();  // help id
    reader.Read<DWORD>();  // extended style
    dialog.style = reader.Read<DWORD>();
    const WORD count = reader.Read<WORD>();
    reader.Read<short>();
    reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    reader.ReadNameOrOrdinal();  // menu
    reader.ReadNameOrOrdinal();  // class
    dialog.caption = reader.ReadText();
    dialog.pointSize = reader.Read<WORD>();
    reader.Read<WORD>();
    reader.Read<BYTE>();
    reader.Read<BYTE>();
    dialog.font = reader.ReadText();
    for (WORD i = 0; i < count && !reader.Overran(); ++i) {
        reader.AlignToDword();
        Control control;
        reader.Read<DWORD>();
        reader.Read<DWORD>();
        control.style = reader.Read<DWORD>();
        control.x = reader.Read<short>();
        control.y = reader.Read<short>();
        control.cx = reader.Read<short>();
        control.cy = reader.Read<short>();
        control.id = reader.Read<DWORD>();
        control.windowClass = reader.ReadNameOrOrdinal();
        control.text = reader.ReadNameOrOrdinal();
        const WORD extra = reader.Read<WORD>();
        for (WORD b = 0; b < extra; ++b) reader.Read<BYTE>();
        dialog.controls.push_back(control);
    }
    return dialog;
}

struct Expected {
    DWORD id;
    const wchar_t* windowClass;
    std::wstring text;
    DWORD style;  // the control's own style bits, with WS_TABSTOP where the control has it
    bool visible;
    short x, y, cx, cy;
};

TEST(DialogTemplate203, FrameFontAndSize) {
    const Dialog dialog = LoadDialog(203);
    EXPECT_EQ(dialog.style &
                  (DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT),
              static_cast<DWORD>(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                 DS_SETFONT));
    EXPECT_EQ(dialog.cx, 363);
    EXPECT_EQ(dialog.cy, 241);
    EXPECT_EQ(dialog.font, L"MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, 8);
}

TEST(DialogTemplate203, EveryControlInTemplateOrder) {
    const std::u16string page(ombrel::kHomePage);
    const std::wstring address(page.begin(), page.end());
    const std::vector<Expected> expected = {
        {205, L"Button", L"Select All", BS_PUSHBUTTON | WS_TABSTOP, true, 7, 7, 50, 14},
        {206, L"Button", L"Unselect All", BS_PUSHBUTTON | WS_TABSTOP, true, 58, 7, 50, 14},
        {207, L"Button", L"Defaults", BS_PUSHBUTTON | WS_TABSTOP, true, 306, 7, 50, 14},
        {201, L"SysTreeView32", L"",
         TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER | WS_TABSTOP, true, 7, 23, 349,
         166},
        {203, L"Button", L"Index upon receiving", BS_AUTOCHECKBOX | WS_TABSTOP, true, 10, 193, 89,
         10},
        {204, L"Button", L"Monitor selected folders on exit", BS_AUTOCHECKBOX | WS_TABSTOP, true,
         114, 193, 117, 10},
        {210, L"Button", L"Prefer HTML content", BS_AUTOCHECKBOX | WS_TABSTOP, true, 241, 193, 78,
         10},
        {211, L"Button", L"Generate Thumbnails", BS_AUTOCHECKBOX | WS_TABSTOP, true, 95, 210, 79,
         10},
        {225, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, true, 176, 208, 76,
         109},
        {208, L"SysListView32", L"",
         LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP, false, 7, 7, 349,
         182},
        {209, L"msctls_progress32", L"", WS_BORDER, false, 7, 190, 349, 14},
        {202, L"Button", L"", BS_PUSHBUTTON | WS_TABSTOP, true, 7, 207, 86, 14},
        {1, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, true, 254, 207, 50, 14},
        {2, L"Button", L"", BS_PUSHBUTTON | WS_TABSTOP, true, 306, 207, 50, 14},
        {223, L"Button", L"Help", BS_PUSHBUTTON | WS_TABSTOP, true, 255, 7, 50, 14},
        {235, L"hyperLink", address, 0, true, 144, 225, 100, 9},
    };
    const Dialog dialog = LoadDialog(203);
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Control& c = dialog.controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(c.id, e.id);
        // Window class names compare without regard to case (the resource compiler capitalises).
        EXPECT_EQ(lstrcmpiW(c.windowClass.c_str(), e.windowClass), 0) << c.windowClass;
        EXPECT_EQ(c.text, e.text);
        EXPECT_EQ(c.style & 0xFFFF, e.style & 0xFFFF);  // the class's own style bits
        EXPECT_EQ(c.style & (WS_TABSTOP | WS_BORDER | WS_VSCROLL),
                  e.style & (WS_TABSTOP | WS_BORDER | WS_VSCROLL));
        EXPECT_EQ((c.style & WS_VISIBLE) != 0, e.visible);
        EXPECT_NE(c.style & WS_CHILD, 0U);
        EXPECT_EQ((std::vector<short>{c.x, c.y, c.cx, c.cy}),
                  (std::vector<short>{e.x, e.y, e.cx, e.cy}));
    }
}

}  // namespace
