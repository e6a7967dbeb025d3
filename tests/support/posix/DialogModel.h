#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "tests/support/posix/RecordingJobViews.h"
#include "tests/support/posix/TreeModel.h"

namespace ombrel::platform::posix {

// The settings dialog of the native build: its controls in memory as template 203 creates them,
// driven by the dialog's procedure, updated by the indexing job, and open to inspection and to a
// scripted user. Posted messages wait in a queue until they are delivered, as the dialog's thread
// would take them from its message queue.
class DialogModel final : public DialogView {
  public:
    struct Control {
        std::u16string text;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        std::uint32_t addedStyle = 0;
        std::int32_t width = 0;  // pixels
    };
    struct Column {
        std::u16string text;
        std::int32_t width = 0;
    };
    struct Progress {
        std::int32_t maximum = 100;
        std::int32_t step = 10;
        std::int32_t position = 0;
    };
    struct Tooltips {
        bool created = false;
        bool destroyed = false;
        std::int32_t maximumWidth = 0;
        std::vector<std::pair<int, std::uint32_t>> tools;  // control id, string id
    };

    DialogModel(WindowHandle window, DialogProcedure& procedure);

    // DialogView, as the procedure drives it.
    WindowHandle Window() const override { return window_; }
    void SetCaption(const WideString& text) override { caption_ = text.Std(); }
    void SetItemText(int id, const WideString& text) override;
    void ShowItem(int id, bool shown) override;
    void EnableItem(int id, bool enabled) override;
    void AddItemStyle(int id, std::uint32_t style) override;
    bool IsItemChecked(int id) const override;
    void CheckItem(int id, bool checked) override;
    std::int32_t ComboSelection(int id) const override;
    std::int32_t ItemWidth(int id) const override;
    void InsertListColumn(int id, const WideString& text, std::int32_t width) override;
    void DeleteAllListItems(int id) override;
    TreeControl& Tree(int id) override;
    void CreateTooltips(std::int32_t maximumWidth) override;
    void AddTooltip(int id, std::uint32_t textId) override;
    void DestroyTooltips() override { tooltips_.destroyed = true; }
    void Post(std::uint32_t message) override;
    void End(std::intptr_t result) override { ended_ = result; }

    // What the user does. Sending hands the message to the procedure at once; a click reaches it
    // only on a visible, enabled control, and toggles a check box first; Escape is the Cancel
    // command whatever the buttons show.
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    void Click(int id);
    void PressEscape();
    // Delivers the posted messages, in order, until none is waiting.
    void DeliverPosted();
    // Delivers posted messages as they come until `done` holds; false when it does not within
    // the time limit.
    bool DeliverUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20));

    // The indexing job's updates of the log list and the progress bar; its end is posted.
    void Apply(const JobViewUpdate& update);

    // What the dialog shows.
    const Control& Item(int id) const;
    const std::u16string& Caption() const { return caption_; }
    std::vector<std::u16string> LogLines() const;
    std::vector<Column> LogColumns() const { return columns_; }
    Progress ProgressBar() const;
    TreeModel& FolderTree() { return tree_; }
    const Tooltips& Tips() const { return tooltips_; }
    std::optional<std::intptr_t> Ended() const { return ended_; }

  private:
    Control* Find(int id);
    const Control* Find(int id) const;

    WindowHandle window_;
    DialogProcedure& procedure_;
    std::u16string caption_;
    std::map<int, Control> controls_;
    std::vector<Column> columns_;
    TreeModel tree_;
    Tooltips tooltips_;
    std::optional<std::intptr_t> ended_;

    // Shared with the job's worker thread.
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::uint32_t> queue_;
    std::vector<std::u16string> logLines_;
    Progress progress_;
};

}  // namespace ombrel::platform::posix
