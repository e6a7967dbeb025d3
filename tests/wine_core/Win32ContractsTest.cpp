// The port contracts, run against the real Windows functions.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePages.h"
#include "platform/win32/Win32DiskFiles.h"
#include "platform/win32/Win32ModuleFile.h"
#include "platform/win32/Win32PageFileMemory.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemVersion.h"
#include "platform/win32/Win32ThreadLocale.h"
#include "platform/win32/Win32Threads.h"
#include "platform/win32/Win32TreeControl.h"
#include "tests/contract/ClockContract.h"
#include "tests/contract/CodePagesContract.h"
#include "tests/contract/DiskFilesContract.h"
#include "tests/contract/ModuleFileContract.h"
#include "tests/contract/PageFileMemoryContract.h"
#include "tests/contract/PluginListScenarios.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
#include "tests/contract/SystemVersionContract.h"
#include "tests/contract/ThreadLocaleContract.h"
#include "tests/contract/ThreadsContract.h"
#include "tests/contract/TreeControlContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::win32::Win32Registry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, CodePagesContract,
                         ::testing::Values(PortFactory<platform::CodePages>([] {
                             return std::make_unique<platform::win32::Win32CodePages>();
                         })));

// A Windows writer: the file open for reading and writing, sharing reading only.
class Win32WriterHold final : public WriterHold {
  public:
    explicit Win32WriterHold(HANDLE file) : file_(file) {}
    ~Win32WriterHold() override { CloseHandle(file_); }
    Win32WriterHold(const Win32WriterHold&) = delete;
    Win32WriterHold& operator=(const Win32WriterHold&) = delete;

  private:
    HANDLE file_;
};

std::unique_ptr<WriterHold> HoldForWriting(const std::u16string& path) {
    const HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32WriterHold>(file);
}

INSTANTIATE_TEST_SUITE_P(Win32, DiskFilesContract,
                         ::testing::Values(DiskFilesTarget{
                             [] { return std::make_unique<platform::win32::Win32DiskFiles>(); },
                             HoldForWriting}));
INSTANTIATE_TEST_SUITE_P(Win32, ProfileFilesContract,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             return std::make_unique<platform::win32::Win32ProfileFiles>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, SystemVersionContract,
                         ::testing::Values(PortFactory<platform::SystemVersion>([] {
                             return std::make_unique<platform::win32::Win32SystemVersion>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ThreadLocaleContract,
                         ::testing::Values(PortFactory<platform::ThreadLocale>([] {
                             return std::make_unique<platform::win32::Win32ThreadLocale>();
                         })));

// This program carries the library's resources.
INSTANTIATE_TEST_SUITE_P(Win32, ModuleFileContract,
                         ::testing::Values(PortFactory<platform::ModuleFile>([] {
                             return std::make_unique<platform::win32::Win32ModuleFile>(
                                 GetModuleHandleW(nullptr));
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, PluginListScenarios,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             return std::make_unique<platform::win32::Win32ProfileFiles>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::win32::Win32Threads>();
                         })));

// A tree-view window of its own, with check boxes added after creation as a dialog adds them.
class TreeWindow final : public platform::TreeControl {
  public:
    TreeWindow()
        : window_(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASBUTTONS | TVS_HASLINES, 0,
                                  0, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr)),
          control_(window_) {
        SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | TVS_CHECKBOXES);
    }
    ~TreeWindow() override { DestroyWindow(window_); }
    TreeWindow(const TreeWindow&) = delete;
    TreeWindow& operator=(const TreeWindow&) = delete;

    Item InsertLast(Item parent, const char16_t* text, std::intptr_t data, std::uint32_t state,
                    std::uint32_t stateMask) override {
        return control_.InsertLast(parent, text, data, state, stateMask);
    }
    Item FirstChild(Item item) const override { return control_.FirstChild(item); }
    Item NextSibling(Item item) const override { return control_.NextSibling(item); }
    std::intptr_t ItemData(Item item) const override { return control_.ItemData(item); }
    std::uint32_t ItemState(Item item, std::uint32_t mask) const override {
        return control_.ItemState(item, mask);
    }
    void SetItemState(Item item, std::uint32_t state, std::uint32_t mask) override {
        control_.SetItemState(item, state, mask);
    }

  private:
    HWND window_;
    platform::win32::Win32TreeControl control_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, TreeControlContract, ::testing::Values(PortFactory<platform::TreeControl>([] {
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        return std::make_unique<TreeWindow>();
    })));

INSTANTIATE_TEST_SUITE_P(Win32, PageFileMemoryContract,
                         ::testing::Values(PortFactory<platform::PageFileMemory>([] {
                             return std::make_unique<platform::win32::Win32PageFileMemory>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ClockContract, ::testing::Values(PortFactory<platform::Clock>([] {
                             return std::make_unique<platform::win32::Win32Clock>();
                         })));

}  // namespace
}  // namespace ombrel::contract
