#include "ui/SettingsDialog.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "indexing/StopCheck.h"
#include "mailstore/FolderTreeView.h"
#include "platform/MessageBoxes.h"
#include "platform/posix/RegFile.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/SampleStore.h"
#include "tests/support/TempDirectory.h"
#include "ui/DialogControls.h"

namespace ombrel {
namespace {

using namespace controls;
using platform::TreeControl;
using platform::posix::DialogModel;

// Job views that hold the worker at its first log line until released, as a long folder pass
// would. A stop request ends the hold, and the job then meets it as at the pass's next check
// point: the line is not written.
class HeldJobViews final : public platform::JobViews {
  public:
    explicit HeldJobViews(platform::JobViews& real) : real_(real) {}

    std::unique_ptr<platform::JobView> ForDialog(platform::WindowHandle dialog) override {
        return std::make_unique<View>(*this, real_.ForDialog(dialog));
    }
    // Waits until the worker is held; false when it is not within a few seconds.
    bool WaitUntilHeld() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; });
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
    }

  private:
    class View final : public platform::JobView {
      public:
        View(HeldJobViews& views, std::unique_ptr<platform::JobView> real)
            : views_(views), real_(std::move(real)) {}
        void AppendLogLine(const WideString& line) override {
            views_.Hold();
            CheckForStop();
            real_->AppendLogLine(line);
        }
        void SetProgressRange(std::int32_t maximum) override { real_->SetProgressRange(maximum); }
        void SetProgressStep(std::int32_t step) override { real_->SetProgressStep(step); }
        void SetProgressPosition(std::int32_t position) override {
            real_->SetProgressPosition(position);
        }
        void StepProgress() override { real_->StepProgress(); }
        void PostJobEnded() override { real_->PostJobEnded(); }

      private:
        HeldJobViews& views_;
        std::unique_ptr<platform::JobView> real_;
    };

    void Hold() {
        std::unique_lock lock(mutex_);
        held_ = true;
        changed_.notify_all();
        while (!released_ && !StopRequested()) {
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            lock.lock();
        }
    }

    platform::JobViews& real_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};

// Threads whose bodies wait before their first step until a stop is requested: a worker that has
// been started but has not begun.
class LateThreads final : public platform::Threads {
  public:
    explicit LateThreads(platform::Threads& real) : real_(real) {}
    std::unique_ptr<platform::Event> CreateManualResetEvent() override {
        return real_.CreateManualResetEvent();
    }
    std::unique_ptr<platform::Thread> StartThread(std::function<void()> body) override {
        return real_.StartThread([body = std::move(body)] {
            while (!StopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            body();
        });
    }
    void PausePoint() override { real_.PausePoint(); }

  private:
    platform::Threads& real_;
};

// The sample store of the host, installed as the library finds it once initialised, and the
// dialog opened over it.
class SettingsDialogTest : public testing::PluginTest {
  protected:
    SettingsDialogTest() {
        testing::WriteSampleStore(store, disk.Local(u""), disk.Directory().Std());
        testing::InstallHostEnvironment(posix, disk.Directory().View());
        platform::posix::LoadRegFile(
            posix.registry,
            testing::RegFileBytes(testing::SampleRegistry(store, disk.Directory().Std())),
            posix.codePages);
        State().dataDirectory = disk.Directory();
        State().accounts = std::make_unique<AccountList>();
        State().initialized = true;
    }
    ~SettingsDialogTest() override { StopJob(); }

    std::shared_ptr<DialogModel> Open() {
        std::shared_ptr<DialogModel> dialog = posix.dialogs.Open(procedure);
        posix.dialogs.SetActiveWindow(dialog->Window());
        return dialog;
    }
    // Runs the dialog with the held job views in place.
    void HoldJobs() {
        platform::Ports ports = platform::CurrentPorts();
        ports.jobViews = &held;
        scoped_.emplace(ports);
    }
    void StartLate() {
        platform::Ports ports = platform::CurrentPorts();
        ports.threads = &late;
        scoped_.emplace(ports);
    }
    static void Finish(DialogModel& dialog) {
        ASSERT_TRUE(dialog.DeliverUntil([&] { return dialog.Item(kCancel).text == u"Done"; }));
    }

    // The item with the text below the parent (the top level by default).
    static TreeControl::Item Find(DialogModel& dialog, std::u16string_view text,
                                  TreeControl::Item parent = TreeControl::kRoot) {
        for (const TreeControl::Item item : dialog.FolderTree().Children(parent)) {
            if (dialog.FolderTree().At(item).text == text) return item;
        }
        ADD_FAILURE() << "no tree item with the text";
        return TreeControl::kNoItem;
    }
    // The check marks of every item, depth-first: 1 checked, 0 not.
    static std::string Checks(DialogModel& dialog, TreeControl::Item from = TreeControl::kRoot) {
        std::string marks;
        for (const TreeControl::Item item : dialog.FolderTree().Children(from)) {
            marks += IsChecked(dialog.FolderTree(), item) ? '1' : '0';
            marks += Checks(dialog, item);
        }
        return marks;
    }
    static void ToggleCheck(DialogModel& dialog, TreeControl::Item item) {
        const std::uint32_t image = IsChecked(dialog.FolderTree(), item) ? 1 : 2;
        dialog.FolderTree().SetItemState(item, TreeControl::StateImage(image),
                                         TreeControl::kStateImageMask);
    }
    // Every state file below the store, with its bytes.
    static std::map<std::filesystem::path, std::string> WithoutMonitorTimes(
        std::map<std::filesystem::path, std::string> files) {
        for (auto& [path, text] : files) {
            const std::size_t at = text.find("Monitor=");
            if (at != std::string::npos) text.erase(at, text.find("\r\n", at) + 2 - at);
        }
        return files;
    }
    std::map<std::filesystem::path, std::string> StateFiles() const {
        std::map<std::filesystem::path, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(disk.Local(u""))) {
            if (entry.path().filename() == "kvrdirinfo.cookie") {
                files[entry.path()] =
                    disk.Read(entry.path().lexically_relative(disk.Local(u"")).u16string());
            }
        }
        return files;
    }
    std::vector<platform::posix::ShownMessageBox> Boxes() const {
        return posix.messageBoxes.Shown();
    }
    static PluginConfigData Record(std::uint8_t index, std::uint8_t monitor, std::uint8_t html,
                                   std::uint8_t thumbnails, std::uint16_t filter) {
        PluginConfigData record = PluginConfigData::Initial();
        record.indexOnReceive = index;
        record.monitorOnExit = monitor;
        record.preferHtml = html;
        record.generateThumbnails = thumbnails;
        record.thumbnailFilter = filter;
        return record;
    }

    testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(2);
    SettingsDialog procedure;
    HeldJobViews held{posix.jobViews};
    LateThreads late{posix.threads};

  private:
    std::optional<platform::ScopedPorts> scoped_;
};

TEST_F(SettingsDialogTest, OpeningShowsTheSettingsViewWithTheActiveOptions) {
    State().storedConfig = Record(1, 0, 1, 0, 0);
    const auto dialog = Open();
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kSettings);
    EXPECT_EQ(dialog->Caption(), u"Ombrel Desktop The Bat!");
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Re-Index Selected");
    EXPECT_EQ(dialog->Item(kCancel).text, u"Cancel");
    for (const int box : {kIndexOnReceive, kMonitorOnExit, kPreferHtml}) {
        EXPECT_FALSE(dialog->Item(box).checked) << box;  // the active record is all zeros
    }
    for (const int hidden : {kGenerateThumbnails, kThumbnailFilter, kLog, kProgress}) {
        EXPECT_FALSE(dialog->Item(hidden).visible) << hidden;
    }
    ASSERT_EQ(dialog->LogColumns().size(), 1U);
    EXPECT_EQ(dialog->LogColumns()[0].text, u"log");
    EXPECT_EQ(dialog->LogColumns()[0].width, dialog->Item(kLog).width - 30);
    EXPECT_EQ(dialog->Item(kFolderTree).addedStyle, 0x100U);

    const auto& tips = dialog->Tips();
    EXPECT_TRUE(tips.created);
    EXPECT_EQ(tips.maximumWidth, 300);
    const std::vector<std::pair<int, std::uint32_t>> tools = {
        {kLink, 134},          {kSelectAll, 135},  {kUnselectAll, 136},
        {kHelp, 137},          {kDefaults, 138},   {kIndexOnReceive, 139},
        {kMonitorOnExit, 140}, {kPreferHtml, 141}, {kReIndex, 142}};
    EXPECT_EQ(tips.tools, tools);

    State().activeConfig = Record(0, 1, 0, 1, 0);
    const auto again = Open();
    EXPECT_FALSE(again->Item(kIndexOnReceive).checked);
    EXPECT_TRUE(again->Item(kMonitorOnExit).checked);
    EXPECT_FALSE(again->Item(kPreferHtml).checked);
    EXPECT_FALSE(again->Item(kGenerateThumbnails).checked);  // nothing sets it from the record
}

TEST_F(SettingsDialogTest, TheTreeShowsAccountsWithTheirFoldersAndTheCommonFoldersAtTheTop) {
    const auto dialog = Open();
    platform::posix::TreeModel& tree = dialog->FolderTree();
    std::vector<std::u16string> top;
    for (const TreeControl::Item item : tree.Children(TreeControl::kRoot)) {
        top.push_back(tree.At(item).text);
    }
    EXPECT_EQ(top, (std::vector<std::u16string>{u"Main", u"Work", u"Иван", u"Chats", u"Names",
                                                u"Shared"}));
    const TreeControl::Item main = Find(*dialog, u"Main");
    EXPECT_TRUE(IsChecked(tree, main));  // its state file says "Enabled=1"
    EXPECT_FALSE(IsChecked(tree, Find(*dialog, u"Work")));
    EXPECT_EQ(tree.At(main).state & TreeControl::kExpanded, TreeControl::kExpanded);

    MailAccount& account = *State().accounts->front();
    EXPECT_EQ(account.treeItem, main);
    EXPECT_EQ(NodeOf(tree.ItemData(main)), &account);
    const TreeControl::Item inbox = Find(*dialog, u"Inbox", main);
    EXPECT_TRUE(IsChecked(tree, inbox));
    EXPECT_EQ(tree.Children(inbox).size(), 2U);
    EXPECT_EQ(NodeOf(tree.ItemData(Find(*dialog, u"Chats"))),
              State().accounts->back()->rootFolder.children[0].get());
    EXPECT_EQ(State().accounts->back()->treeItem, TreeControl::kNoItem);
}

TEST_F(SettingsDialogTest, OkStoresTheOptionsInBothRecordsAndTheCheckMarksInTheStateFiles) {
    const PluginConfigData handedIn = Record(1, 0, 1, 1, 7);
    ASSERT_EQ(plugin::SetConfigData(reinterpret_cast<const std::uint8_t*>(&handedIn), 12), 0);
    const auto dialog = Open();
    EXPECT_TRUE(dialog->Item(kIndexOnReceive).checked);
    dialog->Click(kMonitorOnExit);
    const TreeControl::Item main = Find(*dialog, u"Main");
    ToggleCheck(*dialog, Find(*dialog, u"Inbox", main));
    ToggleCheck(*dialog, Find(*dialog, u"Projects", Find(*dialog, u"Work")));
    dialog->Click(kOk);

    EXPECT_EQ(dialog->Ended(), 1);
    EXPECT_TRUE(dialog->Tips().destroyed);
    for (const PluginConfigData* config : {&State().activeConfig, &State().storedConfig}) {
        EXPECT_EQ(*config, Record(1, 1, 1, 0, 0xFFFF));
    }
    EXPECT_NE(disk.Read(u"Main\\Inbox\\kvrdirinfo.cookie").find("Enabled=0"), std::string::npos);
    EXPECT_NE(disk.Read(u"Mail\\Work\\Projects\\kvrdirinfo.cookie").find("Enabled=1"),
              std::string::npos);
    EXPECT_NE(disk.Read(u"Main\\kvrdirinfo.cookie").find("Enabled=1"), std::string::npos);
    EXPECT_FALSE(State().accounts->front()->rootFolder.children[0]->enabled);
}

TEST_F(SettingsDialogTest, SelectAllThenCancelLeavesEveryStateFileAsItWas) {
    const auto dialog = Open();  // which writes the working directory's state file
    const auto files = StateFiles();
    dialog->Click(kSelectAll);
    EXPECT_EQ(Checks(*dialog), std::string(Checks(*dialog).size(), '1'));
    EXPECT_TRUE(State().accounts->front()->rootFolder.children[1]->enabled);
    dialog->Click(kUnselectAll);
    EXPECT_EQ(Checks(*dialog), std::string(Checks(*dialog).size(), '0'));
    dialog->Click(kSelectAll);
    dialog->Click(kCancel);
    EXPECT_EQ(dialog->Ended(), 2);
    EXPECT_TRUE(dialog->Tips().destroyed);
    EXPECT_EQ(StateFiles(), files);
    EXPECT_EQ(State().storedConfig, PluginConfigData::Initial());
}

TEST_F(SettingsDialogTest, DefaultsSetsTheOptionsAndTheDefaultFoldersAndSavesNothing) {
    const auto dialog = Open();
    const auto files = StateFiles();
    dialog->Click(kIndexOnReceive);
    dialog->Click(kPreferHtml);
    dialog->CheckItem(kGenerateThumbnails, true);
    const bool wasEnabled = State().accounts->front()->enabled;
    dialog->Click(kDefaults);

    EXPECT_FALSE(dialog->Item(kIndexOnReceive).checked);
    EXPECT_TRUE(dialog->Item(kMonitorOnExit).checked);
    EXPECT_FALSE(dialog->Item(kPreferHtml).checked);
    EXPECT_TRUE(dialog->Item(kGenerateThumbnails).checked);
    EXPECT_FALSE(dialog->Item(kGenerateThumbnails).visible);
    EXPECT_EQ(dialog->ComboSelection(kThumbnailFilter), -1);
    // Main: Inbox, Sent and $KNOWN$; Work: its "sent"; Ivan: Inbox; never an account.
    const TreeControl::Item main = Find(*dialog, u"Main");
    EXPECT_EQ(Checks(*dialog, main), "10001010");
    EXPECT_EQ(Checks(*dialog, Find(*dialog, u"Work")), "1100000");
    EXPECT_EQ(Checks(*dialog, Find(*dialog, u"Иван")), "100");
    EXPECT_FALSE(IsChecked(dialog->FolderTree(), main));
    EXPECT_EQ(State().accounts->front()->enabled, wasEnabled);
    EXPECT_EQ(StateFiles(), files);
}

TEST_F(SettingsDialogTest, HelpOpensTheLibrarysPathWithItsExtensionAsChm) {
    const auto dialog = Open();
    const struct {
        const char16_t* library;
        const char16_t* help;
    } cases[] = {
        {u"C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll",
         u"C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.chm"},
        {u"C:\\Program Files\\Ombrel\\OMBRELDESKTOPTHEBAT.DLL",
         u"C:\\Program Files\\Ombrel\\OMBRELDESKTOPTHEBAT.DLL"},
        {u"D:\\dlls\\mydll.dll", u"D:\\dlls\\mydll.chm"},
        {u"", u""},
    };
    std::vector<platform::posix::OpenedFile> expected;
    for (const auto& test : cases) {
        posix.moduleFile.SetPath(test.library);
        EXPECT_EQ(dialog->Send(platform::dialog::kCommand, kHelp), 0);
        expected.push_back({test.help, 1});
    }
    EXPECT_EQ(posix.shell.Opened(), expected);
}

TEST_F(SettingsDialogTest, TheProcedureAnswersAsADialogProcedure) {
    DialogModel model(nullptr, procedure);
    EXPECT_EQ(model.Send(platform::dialog::kInitDialog), 1);
    for (const int command : {kSelectAll, kUnselectAll, kDefaults, kHelp, 9999}) {
        EXPECT_EQ(model.Send(platform::dialog::kCommand, command), 0) << command;
    }
    // DM_SETDEFID and DM_REPOSITION share the numbers of the dialog's own messages; with
    // parameters they are not the dialog's and are left to the default handling.
    EXPECT_EQ(model.Send(kJobEnded, 1), 0);
    EXPECT_EQ(model.Send(kReturnToSettings, 0, 1), 0);
    EXPECT_EQ(model.Item(kCancel).text, u"Cancel");
    EXPECT_EQ(model.Send(kJobEnded), 1);
    EXPECT_EQ(model.Item(kCancel).text, u"Done");
    EXPECT_EQ(model.Send(kReturnToSettings), 1);
    EXPECT_EQ(model.Item(kCancel).text, u"Cancel");

    const auto dialog = Open();
    EXPECT_EQ(dialog->Send(platform::dialog::kCommand, kReIndex), 1);  // starts a job
    Finish(*dialog);
    EXPECT_EQ(dialog->Send(platform::dialog::kCommand, kCancel), 1);  // "Done"
    dialog->DeliverPosted();
    // The high word of wParam is the notification code; the low word names the control.
    EXPECT_EQ(dialog->Send(platform::dialog::kCommand, (1U << 16) | kCancel), 1);
    EXPECT_EQ(dialog->Ended(), 2);
    EXPECT_EQ(dialog->Send(0x0200), 0);
}

TEST_F(SettingsDialogTest, ReIndexTakesTheOptionsIntoTheActiveRecordOnly) {
    State().activeConfig = State().storedConfig = Record(0, 1, 1, 1, 3);
    const auto dialog = Open();
    const auto files = StateFiles();
    dialog->Click(kPreferHtml);
    ToggleCheck(*dialog, Find(*dialog, u"Work"));
    dialog->Click(kReIndex);

    EXPECT_EQ(CurrentDialogMode(), DialogMode::kIndexing);
    EXPECT_EQ(State().activeConfig, Record(0, 1, 0, 0, 0xFFFF));
    EXPECT_EQ(State().storedConfig, Record(0, 1, 1, 1, 3));
    EXPECT_TRUE(State().accounts->at(1)->enabled);  // the check mark, not yet saved
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Pause");
    EXPECT_EQ(dialog->Item(kCancel).text, u"Stop");
    EXPECT_FALSE(dialog->Item(kOk).visible);
    EXPECT_FALSE(dialog->Item(kOk).enabled);
    EXPECT_TRUE(dialog->Item(kLog).visible);
    EXPECT_TRUE(dialog->Item(kProgress).visible);
    for (const int hidden :
         {kFolderTree, kIndexOnReceive, kMonitorOnExit, kPreferHtml, kGenerateThumbnails,
          kThumbnailFilter, kSelectAll, kUnselectAll, kHelp, kDefaults}) {
        EXPECT_FALSE(dialog->Item(hidden).visible) << hidden;
    }
    Finish(*dialog);
    ASSERT_FALSE(dialog->LogLines().empty());
    EXPECT_EQ(dialog->LogLines().back(), u"Indexing done successfully!");
    EXPECT_FALSE(dialog->Item(kReIndex).enabled);
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Pause");
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kFinished);
    // The pass records its folders' last indexed times; the check marks are not saved.
    EXPECT_EQ(WithoutMonitorTimes(StateFiles()), files);
}

TEST_F(SettingsDialogTest, StopAnsweredNoKeepsTheJobRunning) {
    HoldJobs();
    const auto dialog = Open();
    dialog->Click(kReIndex);
    ASSERT_TRUE(held.WaitUntilHeld());
    posix.messageBoxes.QueueAnswer(platform::mb::kAnswerNo);
    dialog->Click(kCancel);

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].owner, dialog->Window());  // the active window
    EXPECT_EQ(boxes[0].text, WideString(u"Do you wish to stop indexing?"));
    EXPECT_EQ(boxes[0].caption, WideString(u"Ombrel Desktop The Bat!"));
    EXPECT_EQ(boxes[0].style, platform::mb::kYesNo | platform::mb::kIconQuestion);
    EXPECT_EQ(Job().state, JobState::kRunning);
    EXPECT_EQ(Job().worker->Suspend(), 0);  // the question's hold is undone
    Job().worker->Resume();
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Pause");
    EXPECT_EQ(dialog->Item(kCancel).text, u"Stop");
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kIndexing);

    held.Release();
    Finish(*dialog);
    EXPECT_EQ(dialog->LogLines().back(), u"Indexing done successfully!");
}

TEST_F(SettingsDialogTest, PauseThenStopAnsweredNoLeavesTheWorkerPaused) {
    HoldJobs();
    const auto dialog = Open();
    dialog->Click(kReIndex);
    ASSERT_TRUE(held.WaitUntilHeld());
    dialog->Click(kReIndex);
    EXPECT_EQ(Job().state, JobState::kPaused);
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Unpause");

    posix.messageBoxes.QueueAnswer(platform::mb::kAnswerNo);
    dialog->Click(kCancel);
    EXPECT_EQ(Job().state, JobState::kPaused);
    EXPECT_EQ(Job().worker->Suspend(), 1);  // the user's pause still holds it
    Job().worker->Resume();
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Unpause");

    dialog->Click(kReIndex);
    EXPECT_EQ(Job().state, JobState::kRunning);
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Pause");
    EXPECT_EQ(Job().worker->Suspend(), 0);
    Job().worker->Resume();
    held.Release();
    Finish(*dialog);
}

TEST_F(SettingsDialogTest, StopAnsweredYesEndsTheJobWithoutSummaryAndDoneReturnsToSettings) {
    HoldJobs();
    const auto dialog = Open();
    ToggleCheck(*dialog, Find(*dialog, u"Main"));
    ToggleCheck(*dialog, Find(*dialog, u"Shared"));
    const std::string marks = Checks(*dialog);
    dialog->Click(kReIndex);
    ASSERT_TRUE(held.WaitUntilHeld());
    dialog->Click(kReIndex);  // paused first: the stop resumes it
    dialog->Click(kCancel);   // answered Yes

    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_EQ(Job().worker, nullptr);
    dialog->DeliverPosted();  // the worker's end and the dialog's own
    EXPECT_TRUE(dialog->LogLines().empty());
    EXPECT_EQ(dialog->Item(kCancel).text, u"Done");
    EXPECT_FALSE(dialog->Item(kReIndex).enabled);
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Unpause");
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kFinished);
    dialog->Click(kReIndex);  // disabled
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kFinished);

    dialog->Click(kCancel);
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kFinished);  // posted, not yet delivered
    dialog->DeliverPosted();
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kSettings);
    EXPECT_FALSE(dialog->Ended());
    for (const int shown : {kFolderTree, kIndexOnReceive, kMonitorOnExit, kPreferHtml, kSelectAll,
                            kUnselectAll, kHelp, kDefaults, kOk, kReIndex}) {
        EXPECT_TRUE(dialog->Item(shown).visible) << shown;
    }
    for (const int hidden : {kLog, kProgress, kGenerateThumbnails, kThumbnailFilter}) {
        EXPECT_FALSE(dialog->Item(hidden).visible) << hidden;
    }
    EXPECT_TRUE(dialog->Item(kOk).enabled);
    EXPECT_TRUE(dialog->Item(kReIndex).enabled);
    EXPECT_EQ(dialog->Item(kReIndex).text, u"Re-Index Selected");
    EXPECT_EQ(dialog->Item(kCancel).text, u"Cancel");
    EXPECT_EQ(Checks(*dialog), marks);
}

TEST_F(SettingsDialogTest, DoneClearsTheLogForTheNextJob) {
    const auto dialog = Open();
    dialog->Click(kReIndex);
    Finish(*dialog);
    const std::size_t firstJobLines = dialog->LogLines().size();
    EXPECT_GE(firstJobLines, 2U);
    dialog->Click(kCancel);
    dialog->DeliverPosted();
    EXPECT_TRUE(dialog->LogLines().empty());
    dialog->Click(kReIndex);
    Finish(*dialog);
    EXPECT_EQ(dialog->LogLines().size(), firstJobLines);
    EXPECT_TRUE(posix.messageBoxes.Shown().empty());
}

TEST_F(SettingsDialogTest, AFailedStartShowsMessage109AndFinishes) {
    class NoThreads final : public platform::Threads {
      public:
        std::unique_ptr<platform::Event> CreateManualResetEvent() override { return nullptr; }
        std::unique_ptr<platform::Thread> StartThread(std::function<void()> /*body*/) override {
            return nullptr;
        }
        void PausePoint() override {}
    } noThreads;
    platform::Ports ports = platform::CurrentPorts();
    ports.threads = &noThreads;
    const platform::ScopedPorts scoped(ports);

    const auto dialog = Open();
    dialog->Click(kReIndex);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].owner, dialog->Window());
    EXPECT_EQ(boxes[0].text, WideString(u"Failed to start indexing."));
    EXPECT_EQ(boxes[0].style, platform::mb::kIconError);
    dialog->DeliverPosted();
    EXPECT_EQ(dialog->Item(kCancel).text, u"Done");
    EXPECT_FALSE(dialog->Item(kReIndex).enabled);
    dialog->Click(kCancel);
    dialog->DeliverPosted();
    EXPECT_EQ(CurrentDialogMode(), DialogMode::kSettings);
}

TEST_F(SettingsDialogTest, StopAnsweredYesAlsoEndsAWorkerThatHasNotBegun) {
    HoldJobs();
    StartLate();
    const auto dialog = Open();
    dialog->Click(kReIndex);
    ASSERT_NE(Job().worker, nullptr);
    EXPECT_EQ(Job().state, JobState::kIdle);  // started, not begun
    dialog->Click(kCancel);                   // answered Yes
    EXPECT_EQ(Job().worker, nullptr);
    dialog->DeliverPosted();
    EXPECT_EQ(dialog->Item(kCancel).text, u"Done");
    EXPECT_TRUE(dialog->LogLines().empty());
}

// Through the export, as the host opens the dialog.
class SetupTest : public SettingsDialogTest {};

TEST_F(SetupTest, TheLinkClassIsRegisteredAroundTheDialogOwnedByTheActiveWindow) {
    auto* host = reinterpret_cast<platform::WindowHandle>(0x1234);
    posix.dialogs.SetActiveWindow(host);
    posix.dialogs.SetUser([](DialogModel& dialog) { dialog.Click(kOk); });
    EXPECT_EQ(plugin::Setup(), 0);
    EXPECT_EQ(posix.dialogs.Calls(),
              (std::vector<std::string>{"RegisterLinkClass", "RunModal 203 owner 4660",
                                        "UnregisterLinkClass"}));
    posix.dialogs.SetUser([](DialogModel& dialog) { dialog.PressEscape(); });
    EXPECT_EQ(plugin::Setup(), 1);
    posix.dialogs.RefuseLinkClass(true);
    EXPECT_EQ(plugin::Setup(), 1);  // the template's link cannot be made: no dialog
}

TEST_F(SetupTest, ADialogThatEndsWithoutTheStopQuestionTakesItsJobAlong) {
    HoldJobs();
    posix.dialogs.SetUser([this](DialogModel& dialog) {
        dialog.Click(kReIndex);
        EXPECT_TRUE(held.WaitUntilHeld());
    });  // and then the dialog is gone, without an end of its own
    EXPECT_EQ(plugin::Setup(), 1);
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_TRUE(posix.messageBoxes.Shown().empty());
}

TEST_F(SetupTest, EscapeInTheIndexingViewAsksAndOnlyDoneLeadsBack) {
    posix.dialogs.SetUser([](DialogModel& dialog) {
        dialog.Click(kReIndex);
        Finish(dialog);
        dialog.PressEscape();  // "Done"
        dialog.DeliverPosted();
        dialog.PressEscape();  // "Cancel"
    });
    EXPECT_EQ(plugin::Setup(), 1);
    EXPECT_TRUE(posix.messageBoxes.Shown().empty());
}

}  // namespace
}  // namespace ombrel
