// The settings dialog of the real library, opened through TBP_Setup on a host thread and driven
// from the test by window messages, over a generated mail store.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "resources/ProjectInfo.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/win32/ImportHook.h"
#include "tests/support/win32/SampleHost.h"
#include "tests/support/win32/SetupRun.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

using standin::PluginLibrary;
using standin::SetupRun;

const std::wstring kAddress = L"" OMBREL_HOME_PAGE;

// What the library asked the shell to open.
struct ShellOpen {
    std::wstring file;
    bool defaults;  // no owner, verb, parameters or directory
    int show;
};

// The library's calls of ShellExecuteW, and its synchronous updates of the log list and the
// progress bar from the job's worker, which can be held there until released.
struct Hooks {
    std::mutex mutex;
    std::vector<ShellOpen> opened;
    HANDLE released = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD dialogThread = 0;
    DWORD worker = 0;
    decltype(&SendDlgItemMessageW) sendDlgItemMessage = nullptr;
};

Hooks& Hooked() {
    static Hooks hooks;
    return hooks;
}

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT show) {
    Hooks& hooks = Hooked();
    std::lock_guard lock(hooks.mutex);
    hooks.opened.push_back(
        {file != nullptr ? file : L"",
         owner == nullptr && verb == nullptr && parameters == nullptr && directory == nullptr,
         show});
    return reinterpret_cast<HINSTANCE>(33);
}

LRESULT WINAPI HoldWorkerUpdates(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    Hooks& hooks = Hooked();
    if (GetCurrentThreadId() != hooks.dialogThread) {
        hooks.worker = GetCurrentThreadId();
        SetEvent(hooks.held);
        WaitForSingleObject(hooks.released, INFINITE);
    }
    return hooks.sendDlgItemMessage(dialog, id, message, wParam, lParam);
}

void InstallHooks(HMODULE library) {
    Hooks& hooks = Hooked();
    if (hooks.sendDlgItemMessage != nullptr) return;
    standin::HookImport(library, "shell32.dll", "ShellExecuteW",
                        reinterpret_cast<void*>(&RecordShellExecute));
    hooks.sendDlgItemMessage = reinterpret_cast<decltype(&SendDlgItemMessageW)>(standin::HookImport(
        library, "user32.dll", "SendDlgItemMessageW", reinterpret_cast<void*>(&HoldWorkerUpdates)));
}

// The suspend count of the worker, read by suspending it once more and resuming it.
int WorkerSuspensions() {
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, Hooked().worker);
    const auto count = static_cast<int>(SuspendThread(thread));
    ResumeThread(thread);
    CloseHandle(thread);
    return count;
}

std::array<std::uint8_t, 12> Record(std::uint8_t index, std::uint8_t monitor, std::uint8_t html,
                                    std::uint8_t thumbnails, std::uint16_t filter) {
    return {0x0D,
            0xF0,
            0xAD,
            0xBA,
            index,
            monitor,
            html,
            thumbnails,
            static_cast<std::uint8_t>(filter & 0xFF),
            static_cast<std::uint8_t>(filter >> 8),
            12,
            0};
}

class SettingsDialog : public LibraryTest {
  protected:
    SettingsDialog() {
        InstallHooks(library.Module());
        EXPECT_TRUE(standin::InstallSampleStore(store, workingDirectory));
        SetRecord(Record(0, 0, 0, 0, 0));
        library.Initialize();
        PluginLibrary::TakeMessageBoxes();
        std::lock_guard lock(Hooked().mutex);
        Hooked().opened.clear();
    }
    ~SettingsDialog() override {
        Release();
        SetRecord(Record(0, 0, 0, 0, 0));
    }

    const testing::SampleStore store = testing::MakeSampleStore(2);

    void SetRecord(const std::array<std::uint8_t, 12>& record) {
        ASSERT_EQ(library.SetConfigData(record.data(), 12), 0);
    }
    std::array<std::uint8_t, 12> StoredRecord() const {
        std::array<std::uint8_t, 12> record{};
        library.GetConfigData(record.data(), 12);
        return record;
    }
    // Opens the dialog with the worker's updates held until Release.
    static void HoldWorker(const SetupRun& run) {
        Hooks& hooks = Hooked();
        hooks.dialogThread = run.HostThread();
        ResetEvent(hooks.held);
        ResetEvent(hooks.released);
    }
    static bool WaitUntilHeld() { return WaitForSingleObject(Hooked().held, 20000) == 0; }
    static void Release() { SetEvent(Hooked().released); }

    // Every state file below the working directory, with its bytes.
    std::map<std::wstring, std::string> StateFiles() const {
        std::map<std::wstring, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(workingDirectory)) {
            if (entry.path().filename() != L"kvrdirinfo.cookie") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[entry.path().wstring()] = bytes.str();
        }
        return files;
    }
    int Enabled(const std::wstring& folder) const {
        return static_cast<int>(
            GetPrivateProfileIntW(L"KVR Directory Information", L"Enabled", -1,
                                  (workingDirectory + folder + L"\\kvrdirinfo.cookie").c_str()));
    }
    static std::vector<std::wstring> CheckedItems(const SetupRun& run) {
        std::vector<std::wstring> checked;
        for (const auto& item : run.TreeItems()) {
            if (item.checked) checked.push_back(item.text);
        }
        return checked;
    }
    // The count of the summary line "Indexed N" of a log.
    static std::size_t IndexedCount(const std::vector<std::wstring>& lines) {
        std::size_t indexed = 0;
        for (const auto& line : lines) {
            if (line.starts_with(L"Indexed ")) indexed = std::stoul(line.substr(8));
        }
        return indexed;
    }
    static std::vector<ShellOpen> Opened() {
        std::lock_guard lock(Hooked().mutex);
        return Hooked().opened;
    }
};

TEST_F(SettingsDialog, OpensOwnedByTheHostWindowInTheSettingsView) {
    SetRecord(Record(0, 1, 0, 1, 3));
    SetupRun run(library);
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(GetWindow(run.Dialog(), GW_OWNER), run.HostWindow());
    wchar_t caption[64] = {};
    GetWindowTextW(run.Dialog(), caption, 64);
    EXPECT_STREQ(caption, L"Ombrel Desktop The Bat!");
    EXPECT_EQ(run.Text(202), L"Re-Index Selected");
    EXPECT_EQ(run.Text(2), L"Cancel");
    EXPECT_FALSE(run.IsChecked(203));
    EXPECT_TRUE(run.IsChecked(204));
    EXPECT_FALSE(run.IsChecked(210));
    EXPECT_FALSE(run.IsChecked(211));
    for (const int hidden : {211, 225, 208, 209}) EXPECT_FALSE(run.IsVisible(hidden)) << hidden;
    for (const int shown : {201, 203, 204, 210, 205, 206, 207, 223, 202, 1, 2, 235}) {
        EXPECT_TRUE(run.IsVisible(shown)) << shown;
    }
    EXPECT_EQ(SendMessageW(run.Item(225), CB_GETCOUNT, 0, 0), 0);

    RECT list = {};
    GetWindowRect(run.Item(208), &list);
    EXPECT_EQ(SendMessageW(run.Item(208), LVM_GETCOLUMNWIDTH, 0, 0), list.right - list.left - 30);
    wchar_t column[16] = {};
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.pszText = column;
    info.cchTextMax = 16;
    ASSERT_TRUE(SendMessageW(run.Item(208), LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(column, L"log");
    EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    EXPECT_NE(GetWindowLongW(run.Item(201), GWL_STYLE) & TVS_CHECKBOXES, 0);

    HWND tips = reinterpret_cast<HWND>(  // NOLINT(performance-no-int-to-ptr): a handle's number
        GetWindowLongPtrW(run.Dialog(), DWLP_USER));
    wchar_t tipsClass[32] = {};
    GetClassNameW(tips, tipsClass, 32);
    EXPECT_STREQ(tipsClass, TOOLTIPS_CLASSW);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), run.Dialog());
    EXPECT_NE(GetWindowLongW(tips, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 9);
    EXPECT_EQ(SendMessageW(tips, TTM_GETMAXTIPWIDTH, 0, 0), 300);

    WNDCLASSW link = {};
    EXPECT_TRUE(GetClassInfoW(library.Module(), L"hyperLink", &link));
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_FALSE(GetClassInfoW(library.Module(), L"hyperLink", &link));
    EXPECT_TRUE(PluginLibrary::TakeMessageBoxes().empty());
}

TEST_F(SettingsDialog, TheTreeShowsTheAccountsWithTheCommonFoldersAtTheTopLevel) {
    SetupRun run(library);
    std::vector<std::wstring> top;
    for (const auto& item : run.TreeItems()) {
        if (item.depth == 0) top.push_back(item.text);
    }
    EXPECT_EQ(top, (std::vector<std::wstring>{L"Main", L"Work", L"\x0418\x0432\x0430\x043d",
                                              L"Chats", L"Names", L"Shared"}));
    const std::vector<standin::ShownTreeItem> items = run.TreeItems();
    ASSERT_GT(items.size(), 8U);
    EXPECT_EQ(items[0].text, L"Main");
    EXPECT_TRUE(items[0].checked);
    EXPECT_TRUE(items[0].expanded);
    EXPECT_EQ(items[1].text, L"Inbox");
    EXPECT_EQ(items[1].depth, 1);
    EXPECT_TRUE(items[1].checked);
    EXPECT_EQ(items[2].text, L"Lists");
    EXPECT_EQ(items[2].depth, 2);
    EXPECT_EQ(CheckedItems(run), (std::vector<std::wstring>{L"Main", L"Inbox", L"Sent Mail"}));
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
}

TEST_F(SettingsDialog, OkStoresTheOptionsAndTheCheckMarks) {
    SetRecord(Record(1, 0, 1, 1, 7));
    SetupRun run(library);
    EXPECT_TRUE(run.IsChecked(203));
    run.Click(204);
    EXPECT_TRUE(run.IsChecked(204));
    run.SetTreeCheck(L"Inbox", false);  // Main's
    run.SetTreeCheck(L"Projects", true);
    run.Click(1);
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(StoredRecord(), Record(1, 1, 1, 0, 0xFFFF));
    EXPECT_EQ(Enabled(L"Main\\Inbox"), 0);
    EXPECT_EQ(Enabled(L"Mail\\Work\\Projects"), 1);
    EXPECT_EQ(Enabled(L"Mail\\Work"), 0);
    EXPECT_EQ(Enabled(L"Main"), 1);
}

TEST_F(SettingsDialog, SelectAllThenCancelLeavesTheStateFilesAlone) {
    SetupRun run(library);
    const auto files = StateFiles();
    run.Command(205);
    for (const auto& item : run.TreeItems()) EXPECT_TRUE(item.checked);
    run.Command(206);
    EXPECT_TRUE(CheckedItems(run).empty());
    run.Command(205);
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(StateFiles(), files);
    EXPECT_EQ(StoredRecord(), Record(0, 0, 0, 0, 0));
}

TEST_F(SettingsDialog, DefaultsLeavesTheThumbnailOptionsAndTheStateFilesAlone) {
    SetRecord(Record(1, 0, 1, 0, 0));
    SetupRun run(library);
    const auto files = StateFiles();
    SendMessageW(run.Item(211), BM_SETCHECK, BST_CHECKED, 0);
    run.Command(207);
    EXPECT_FALSE(run.IsChecked(203));
    EXPECT_TRUE(run.IsChecked(204));
    EXPECT_FALSE(run.IsChecked(210));
    EXPECT_TRUE(run.IsChecked(211));
    EXPECT_FALSE(run.IsVisible(211));
    EXPECT_EQ(SendMessageW(run.Item(225), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(CheckedItems(run),
              (std::vector<std::wstring>{L"Inbox", L"Sent Mail", L"Inbox - Known", L"Inbox",
                                         L"Sent Mail", L"Inbox"}));
    EXPECT_EQ(StateFiles(), files);
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(StateFiles(), files);
}

TEST_F(SettingsDialog, HelpOpensTheLibrarysPathWithChmForDll) {
    SetupRun run(library);
    run.Click(223);
    std::wstring help = standin::ModulePath(library.Module());
    help.replace(help.size() - 3, 3, L"chm");
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 1U);
    EXPECT_EQ(opened[0].file, help);
    EXPECT_TRUE(opened[0].defaults);
    EXPECT_EQ(opened[0].show, SW_SHOWNORMAL);
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
}

TEST_F(SettingsDialog, TheLinkShowsAndOpensTheAddressOnAPlainClickOnly) {
    SetupRun run(library);
    HWND link = run.Item(235);
    wchar_t linkClass[32] = {};
    GetClassNameW(link, linkClass, 32);
    EXPECT_STREQ(linkClass, L"hyperLink");
    EXPECT_EQ(run.Text(235), kAddress);
    // The control keeps its text as its user data.
    const auto* stored = reinterpret_cast<const wchar_t*>(  // NOLINT(performance-no-int-to-ptr)
        GetWindowLongPtrW(link, GWLP_USERDATA));
    EXPECT_STREQ(stored, kAddress.c_str());
    wchar_t ten[16];
    std::fill(std::begin(ten), std::end(ten), L'#');
    EXPECT_EQ(SendMessageW(link, WM_GETTEXT, 10, reinterpret_cast<LPARAM>(ten)), 9);
    EXPECT_EQ(std::wstring(ten), kAddress.substr(0, 9));

    for (const WPARAM keys : {WPARAM{MK_SHIFT}, WPARAM{MK_CONTROL}, WPARAM{MK_RBUTTON}}) {
        SendMessageW(link, WM_LBUTTONUP, keys, MAKELPARAM(2, 2));
    }
    SendMessageW(link, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(Opened().empty());
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 1U);
    EXPECT_EQ(opened[0].file, kAddress);
    EXPECT_TRUE(opened[0].defaults);
    EXPECT_EQ(opened[0].show, SW_SHOWDEFAULT);
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
}

TEST_F(SettingsDialog, ReIndexRunsTheJobToDoneAndKeepsTheStoredRecord) {
    SetRecord(Record(0, 0, 1, 1, 3));
    SetupRun run(library);
    run.Click(210);
    run.Command(202);
    EXPECT_EQ(StoredRecord(), Record(0, 0, 1, 1, 3));
    ASSERT_TRUE(run.WaitForText(2, L"Done"));
    for (const int hidden : {1, 201, 203, 204, 210, 211, 225, 205, 206, 223, 207}) {
        EXPECT_FALSE(run.IsVisible(hidden)) << hidden;
    }
    EXPECT_FALSE(run.IsEnabled(1));
    EXPECT_TRUE(run.IsVisible(208));
    EXPECT_TRUE(run.IsVisible(209));
    EXPECT_FALSE(run.IsEnabled(202));
    EXPECT_EQ(run.Text(202), L"Pause");
    const auto lines = run.LogLines();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines.back(), L"Indexing done successfully!");
    run.Command(2);
    ASSERT_TRUE(run.WaitForText(2, L"Cancel"));
    EXPECT_TRUE(run.LogLines().empty());
    // OK is still the default button.
    EXPECT_EQ(SendMessageW(run.Dialog(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(StoredRecord(), Record(0, 0, 1, 1, 3));
}

TEST_F(SettingsDialog, ReIndexOfEveryFolderFillsTheLogAndTheProgressBar) {
    SetupRun run(library);
    run.Command(205);
    journal.Clear();
    run.Command(202);
    ASSERT_TRUE(run.WaitForText(2, L"Done"));
    std::vector<std::wstring> expected;
    for (const std::u16string& line : testing::FolderPassLog(store)) {
        expected.emplace_back(line.begin(), line.end());
    }
    EXPECT_EQ(run.LogLines(), expected);
    // The last folder's pass leaves the bar full: its position at the top of its range.
    HWND progress = run.Item(209);
    const auto top = SendMessageW(progress, PBM_GETRANGE, FALSE, 0);
    EXPECT_GT(top, 0);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), top);
    EXPECT_GT(IndexedCount(expected), 0U);
    EXPECT_EQ(journal.Events().size(), IndexedCount(expected));
    run.Command(2);
    ASSERT_TRUE(run.WaitForText(2, L"Cancel"));
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);  // a dialog cancelled
}

TEST_F(SettingsDialog, AFactoryThatCannotBeMarshaledServesTheJobsWorker) {
    library.Finalize();
    indexer.MakeMarshalable(false);
    library.Initialize();
    ASSERT_EQ(library.GetStatus(), 0);
    {
        SetupRun run(library);
        run.Command(205);
        journal.Clear();
        run.Command(202);
        ASSERT_TRUE(run.WaitForText(2, L"Done"));
        EXPECT_EQ(run.LogLines().back(), L"Indexing done successfully!");
        EXPECT_GT(IndexedCount(run.LogLines()), 0U);
        EXPECT_EQ(journal.Events().size(), IndexedCount(run.LogLines()));
        run.Command(2);
        ASSERT_TRUE(run.WaitForText(2, L"Cancel"));
        run.Command(2);
        EXPECT_EQ(run.Result(), 1);
    }
    library.Finalize();
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(SettingsDialog, StopAnsweredNoKeepsTheJobRunning) {
    SetupRun run(library);
    HoldWorker(run);
    run.Command(202);
    ASSERT_TRUE(WaitUntilHeld());
    PluginLibrary::QueueMessageBoxAnswer(IDNO);
    run.Command(2);
    const auto boxes = PluginLibrary::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].owner, run.Dialog());  // the active window
    EXPECT_EQ(boxes[0].text, u"Do you wish to stop indexing?");
    EXPECT_EQ(boxes[0].caption, u"Ombrel Desktop The Bat!");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(WorkerSuspensions(), 0);
    EXPECT_EQ(run.Text(202), L"Pause");
    EXPECT_EQ(run.Text(2), L"Stop");
    Release();
    ASSERT_TRUE(run.WaitForText(2, L"Done"));
    EXPECT_EQ(run.LogLines().back(), L"Indexing done successfully!");
}

TEST_F(SettingsDialog, PauseThenStopAnsweredNoLeavesTheWorkerPaused) {
    SetupRun run(library);
    HoldWorker(run);
    run.Click(202);
    ASSERT_TRUE(WaitUntilHeld());
    run.Click(202);
    EXPECT_EQ(run.Text(202), L"Unpause");
    EXPECT_EQ(WorkerSuspensions(), 1);
    PluginLibrary::QueueMessageBoxAnswer(IDNO);
    run.Command(2);
    EXPECT_EQ(PluginLibrary::TakeMessageBoxes().size(), 1U);
    EXPECT_EQ(WorkerSuspensions(), 1);
    EXPECT_EQ(run.Text(202), L"Unpause");
    run.Click(202);
    EXPECT_EQ(run.Text(202), L"Pause");
    EXPECT_EQ(WorkerSuspensions(), 0);
    Release();
    ASSERT_TRUE(run.WaitForText(2, L"Done"));
}

TEST_F(SettingsDialog, StopAnsweredYesFinishesAndDoneReturnsToTheTreeAsLeft) {
    SetupRun run(library);
    HoldWorker(run);
    run.SetTreeCheck(L"Main", false);
    run.SetTreeCheck(L"Shared", true);
    const auto tree = CheckedItems(run);
    run.Command(202);
    ASSERT_TRUE(WaitUntilHeld());
    run.PostCommand(2);  // answered Yes; the stop waits for the held worker
    ASSERT_TRUE(SetupRun::WaitUntil([] { return !PluginLibrary::TakeMessageBoxes().empty(); }));
    Release();
    ASSERT_TRUE(run.WaitForText(2, L"Done"));
    EXPECT_FALSE(run.IsEnabled(202));
    EXPECT_EQ(run.Text(202), L"Pause");
    run.Click(202);
    EXPECT_EQ(run.Text(2), L"Done");

    run.Command(2);
    ASSERT_TRUE(run.WaitForText(2, L"Cancel"));
    EXPECT_TRUE(run.LogLines().empty());
    EXPECT_EQ(CheckedItems(run), tree);
    for (const int shown : {201, 203, 204, 210, 205, 206, 207, 223, 1}) {
        EXPECT_TRUE(run.IsVisible(shown)) << shown;
    }
    EXPECT_FALSE(run.IsVisible(208));
    EXPECT_FALSE(run.IsVisible(209));
    EXPECT_TRUE(run.IsEnabled(1));
    EXPECT_TRUE(run.IsEnabled(202));
    EXPECT_EQ(run.Text(202), L"Re-Index Selected");
    run.Command(2);
    EXPECT_EQ(run.Result(), 1);
}

}  // namespace
}  // namespace ombrel::wine
