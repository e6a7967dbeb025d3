#include "ui/SettingsDialog.h"

#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "mailstore/Accounts.h"
#include "mailstore/FolderTreeView.h"
#include "platform/MessageBoxes.h"
#include "platform/PluginMessage.h"
#include "platform/Ports.h"
#include "platform/ResourceStrings.h"
#include "ui/DialogControls.h"
#include "ui/HelpFile.h"

namespace ombrel {
namespace {

using platform::DialogView;
using platform::TreeControl;
using namespace controls;

constexpr std::intptr_t kTrue = 1;
constexpr std::intptr_t kFalse = 0;
constexpr std::uint32_t kTreeCheckBoxes = 0x100;  // TVS_CHECKBOXES
constexpr std::int32_t kLogColumnMargin = 30;     // the log column is this much narrower
constexpr std::int32_t kTipWidth = 300;

// The check boxes of the options that the dialog shows, with their fields of the record.
struct OptionBox {
    int id;
    std::uint8_t PluginConfigData::*field;
};
constexpr OptionBox kShownOptions[] = {
    {kIndexOnReceive, &PluginConfigData::indexOnReceive},
    {kMonitorOnExit, &PluginConfigData::monitorOnExit},
    {kPreferHtml, &PluginConfigData::preferHtml},
};

// The settings view's controls, which the indexing view hides.
constexpr int kSettingsControls[] = {kMonitorOnExit, kIndexOnReceive, kPreferHtml, kSelectAll,
                                     kUnselectAll,   kHelp,           kDefaults,   kFolderTree};
// The indexing view's controls, which the settings view hides.
constexpr int kIndexingControls[] = {kLog, kProgress};

struct Tool {
    int control;
    std::uint32_t text;
};
constexpr Tool kTools[] = {
    {kLink, strings::kTipWebsite},
    {kSelectAll, strings::kTipSelectAll},
    {kUnselectAll, strings::kTipUnselectAll},
    {kHelp, strings::kTipHelp},
    {kDefaults, strings::kTipDefaults},
    {kIndexOnReceive, strings::kTipIndexOnReceive},
    {kMonitorOnExit, strings::kTipMonitorOnExit},
    {kPreferHtml, strings::kTipPreferHtml},
    {kReIndex, strings::kTipReIndex},
};

void SetText(DialogView& view, int id, std::uint32_t textId) {
    view.SetItemText(id, LoadResourceString(textId));
}

void ShowAll(DialogView& view, const auto& ids, bool shown) {
    for (const int id : ids) view.ShowItem(id, shown);
}

// The options as the check boxes and the combo box show them. The combo box is never filled, so
// its selection is none, 0xFFFF in 16 bits.
void ReadOptions(const DialogView& view, PluginConfigData& config) {
    for (const OptionBox& box : kShownOptions) {
        config.*box.field = view.IsItemChecked(box.id) ? 1 : 0;
    }
    config.generateThumbnails = view.IsItemChecked(kGenerateThumbnails) ? 1 : 0;
    config.thumbnailFilter = static_cast<std::uint16_t>(view.ComboSelection(kThumbnailFilter));
}

// Every account with a name gets a top-level item with its folders below; the folders of the
// working directory's account, which has none, stand at the top level.
void ShowAccounts(TreeControl& tree) {
    const auto& accounts = State().accounts;
    if (!accounts) return;
    for (const auto& account : *accounts) {
        TreeControl::Item parent = TreeControl::kRoot;
        if (!account->name.IsEmpty()) {
            account->treeItem = InsertNodeItem(tree, TreeControl::kRoot, account->name, *account);
            parent = account->treeItem;
        }
        InsertFolderItems(parent, account->rootFolder, tree);
    }
}

void ShowTooltips(DialogView& view) {
    view.CreateTooltips(kTipWidth);
    for (const Tool& tool : kTools) view.AddTooltip(tool.control, tool.text);
}

bool JobActive() {
    return Job().state != JobState::kIdle;
}

}  // namespace

DialogMode& CurrentDialogMode() {
    static DialogMode mode = DialogMode::kSettings;
    return mode;
}

std::intptr_t SettingsDialog::Handle(DialogView& view, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    // The dialog's own messages carry no parameters. They share their numbers with DM_SETDEFID
    // and DM_REPOSITION, which carry some, and are answered as handled: left to the default
    // handling, the end of a job would read as "no default button", and OK would lose its place
    // as the button that Enter presses.
    const bool own = wParam == 0 && lParam == 0;
    switch (message) {
        case platform::dialog::kInitDialog:
            Open(view);
            return kTrue;
        case platform::dialog::kCommand:
            return Command(view, static_cast<int>(wParam & 0xFFFF));
        case kJobEnded:
            if (!own) return kFalse;
            JobEnded(view);
            return kTrue;
        case kReturnToSettings:
            if (!own) return kFalse;
            ReturnToSettings(view);
            return kTrue;
        default:
            return kFalse;
    }
}

std::intptr_t SettingsDialog::Command(DialogView& view, int id) {
    switch (id) {
        case kOk:
            Ok(view);
            return kTrue;
        case kCancel:
            Cancel(view, kCancel);
            return kTrue;
        case kReIndex:
            ReIndexOrPause(view);
            return kTrue;
        case kSelectAll:
            SetAllChecks(view.Tree(kFolderTree), TreeControl::kRoot, true);
            return kFalse;
        case kUnselectAll:
            SetAllChecks(view.Tree(kFolderTree), TreeControl::kRoot, false);
            return kFalse;
        case kDefaults:
            Defaults(view);
            return kFalse;
        case kHelp:
            OpenHelpFile();
            return kFalse;
        default:
            return kFalse;
    }
}

void SettingsDialog::Open(DialogView& view) {
    CurrentDialogMode() = DialogMode::kSettings;
    LoadAccounts();
    view.SetCaption(LoadResourceString(strings::kPluginName));
    SetText(view, kReIndex, strings::kReIndexSelected);
    SetText(view, kCancel, strings::kCancel);
    for (const OptionBox& box : kShownOptions) {
        view.CheckItem(box.id, State().activeConfig.*box.field != 0);
    }
    view.ShowItem(kGenerateThumbnails, false);
    view.ShowItem(kThumbnailFilter, false);
    view.InsertListColumn(kLog, u"log", view.ItemWidth(kLog) - kLogColumnMargin);
    view.AddItemStyle(kFolderTree, kTreeCheckBoxes);
    ShowAccounts(view.Tree(kFolderTree));
    ShowTooltips(view);
}

void SettingsDialog::Ok(DialogView& view) {
    PluginState& state = State();
    ReadOptions(view, state.activeConfig);
    ReadOptions(view, state.storedConfig);
    SaveChecks(view.Tree(kFolderTree), TreeControl::kRoot);
    Cancel(view, kOk);
}

void SettingsDialog::Cancel(DialogView& view, int command) {
    switch (CurrentDialogMode()) {
        case DialogMode::kSettings:
            view.DestroyTooltips();
            view.End(command);
            break;
        case DialogMode::kIndexing:
            AskToStop(view);
            break;
        case DialogMode::kFinished:
            view.Post(kReturnToSettings);
            break;
    }
}

// The worker is held while the question is open. No undoes only that hold, so a pause the user
// had set stays.
void SettingsDialog::AskToStop(DialogView& view) {
    if (JobActive()) PauseJob(true);
    const platform::WindowHandle owner = platform::CurrentPorts().dialogs->ActiveWindow();
    const int answer = ShowPluginMessage(owner, strings::kAskStopIndexing,
                                         platform::mb::kYesNo | platform::mb::kIconQuestion);
    if (answer == platform::mb::kAnswerYes) {
        // A worker that has not begun yet still reads idle; it is stopped all the same, so that
        // no job goes on behind the finished view.
        if (JobActive() || Job().worker) StopJob();
        view.Post(kJobEnded);
    } else {
        PauseJob(false);
    }
}

void SettingsDialog::ReIndexOrPause(DialogView& view) {
    switch (CurrentDialogMode()) {
        case DialogMode::kSettings:
            StartReIndex(view);
            break;
        case DialogMode::kIndexing:
            TogglePause(view);
            break;
        case DialogMode::kFinished:
            break;
    }
}

void SettingsDialog::StartReIndex(DialogView& view) {
    CurrentDialogMode() = DialogMode::kIndexing;
    SetText(view, kReIndex, strings::kPause);
    SetText(view, kCancel, strings::kStop);
    view.EnableItem(kOk, false);
    view.ShowItem(kOk, false);
    ShowAll(view, kIndexingControls, true);
    ShowAll(view, kSettingsControls, false);
    view.ShowItem(kGenerateThumbnails, false);
    view.ShowItem(kThumbnailFilter, false);
    ReadOptions(view, State().activeConfig);
    ReadChecks(view.Tree(kFolderTree), TreeControl::kRoot);
    if (JobActive() || !StartJob(view.Window())) {
        ShowPluginMessage(view.Window(), strings::kStartFailed, platform::mb::kIconError);
        view.Post(kJobEnded);
    }
}

void SettingsDialog::TogglePause(DialogView& view) {
    switch (Job().state.load()) {
        case JobState::kPaused:
            if (PauseJob(false)) SetText(view, kReIndex, strings::kPause);
            break;
        case JobState::kRunning:
            PauseJob(true);
            SetText(view, kReIndex, strings::kUnpause);
            break;
        case JobState::kIdle:
            break;
    }
}

void SettingsDialog::Defaults(DialogView& view) {
    view.CheckItem(kIndexOnReceive, false);
    view.CheckItem(kMonitorOnExit, true);
    view.CheckItem(kPreferHtml, false);
    DefaultChecks(view.Tree(kFolderTree), TreeControl::kRoot);
}

void SettingsDialog::JobEnded(DialogView& view) {
    SetText(view, kCancel, strings::kDone);
    view.EnableItem(kReIndex, false);
    CurrentDialogMode() = DialogMode::kFinished;
}

void SettingsDialog::ReturnToSettings(DialogView& view) {
    CurrentDialogMode() = DialogMode::kSettings;
    ShowAll(view, kIndexingControls, false);
    ShowAll(view, kSettingsControls, true);
    view.EnableItem(kOk, true);
    view.ShowItem(kOk, true);
    SetText(view, kReIndex, strings::kReIndexSelected);
    view.EnableItem(kReIndex, true);
    SetText(view, kCancel, strings::kCancel);
    view.DeleteAllListItems(kLog);
}

std::intptr_t RunSettingsDialog() {
    platform::Dialogs& dialogs = *platform::CurrentPorts().dialogs;
    dialogs.RegisterLinkClass();
    SettingsDialog procedure;
    const std::intptr_t result =
        dialogs.RunModal(kSettingsDialogTemplate, dialogs.ActiveWindow(), procedure);
    dialogs.UnregisterLinkClass();
    // A dialog destroyed from outside (with its owner, say) ends without the stop question; its
    // job must not go on reading the accounts that the next opening or the finalisation frees.
    if (Job().worker) StopJob();
    return result;
}

}  // namespace ombrel
