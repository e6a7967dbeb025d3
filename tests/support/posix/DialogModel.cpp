#include "tests/support/posix/DialogModel.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace ombrel::platform::posix {
namespace {

// The controls of template 203 with their widths in dialog units and whether they start visible.
struct TemplateControl {
    int id;
    std::int32_t width;
    bool visible;
};
constexpr TemplateControl kTemplate[] = {
    {205, 50, true}, {206, 50, true},   {207, 50, true},   {201, 349, true},
    {203, 89, true}, {204, 117, true},  {210, 78, true},   {211, 79, true},
    {225, 76, true}, {208, 349, false}, {209, 349, false}, {202, 86, true},
    {1, 50, true},   {2, 50, true},     {223, 50, true},   {235, 100, true},
};
constexpr int kCheckBoxes[] = {203, 204, 210, 211};

// The dialog's font, "MS Shell Dlg" 8 at 96 dots per inch, makes 4 dialog units 6 pixels across.
constexpr std::int32_t Pixels(std::int32_t dialogUnits) {
    return (dialogUnits * 6 + 2) / 4;
}

bool IsCheckBox(int id) {
    return std::ranges::find(kCheckBoxes, id) != std::end(kCheckBoxes);
}

}  // namespace

DialogModel::DialogModel(WindowHandle window, DialogProcedure& procedure)
    : window_(window), procedure_(procedure) {
    for (const TemplateControl& control : kTemplate) {
        Control& made = controls_[control.id];
        made.visible = control.visible;
        made.width = Pixels(control.width);
    }
}

DialogModel::Control* DialogModel::Find(int id) {
    const auto at = controls_.find(id);
    return at != controls_.end() ? &at->second : nullptr;
}

const DialogModel::Control* DialogModel::Find(int id) const {
    const auto at = controls_.find(id);
    return at != controls_.end() ? &at->second : nullptr;
}

const DialogModel::Control& DialogModel::Item(int id) const {
    const Control* control = Find(id);
    if (control == nullptr) throw std::out_of_range("the dialog has no such control");
    return *control;
}

void DialogModel::SetItemText(int id, const WideString& text) {
    if (Control* control = Find(id)) control->text = text.Std();
}

void DialogModel::ShowItem(int id, bool shown) {
    if (Control* control = Find(id)) control->visible = shown;
}

void DialogModel::EnableItem(int id, bool enabled) {
    if (Control* control = Find(id)) control->enabled = enabled;
}

void DialogModel::AddItemStyle(int id, std::uint32_t style) {
    if (Control* control = Find(id)) control->addedStyle |= style;
}

bool DialogModel::IsItemChecked(int id) const {
    const Control* control = Find(id);
    return control != nullptr && control->checked;
}

void DialogModel::CheckItem(int id, bool checked) {
    if (Control* control = Find(id)) control->checked = checked;
}

std::int32_t DialogModel::ComboSelection(int id) const {
    // CB_GETCURSEL of the combo box, which nothing ever fills: CB_ERR.
    return Find(id) != nullptr ? -1 : 0;
}

std::int32_t DialogModel::ItemWidth(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->width : 0;
}

void DialogModel::InsertListColumn(int id, const WideString& text, std::int32_t width) {
    if (Find(id) != nullptr) columns_.insert(columns_.begin(), {text.Std(), width});
}

void DialogModel::DeleteAllListItems(int id) {
    if (Find(id) == nullptr) return;
    std::lock_guard lock(mutex_);
    logLines_.clear();
}

TreeControl& DialogModel::Tree(int /*id*/) {
    return tree_;
}

void DialogModel::CreateTooltips(std::int32_t maximumWidth) {
    tooltips_.created = true;
    tooltips_.maximumWidth = maximumWidth;
}

void DialogModel::AddTooltip(int id, std::uint32_t textId) {
    if (tooltips_.created && Find(id) != nullptr) tooltips_.tools.emplace_back(id, textId);
}

void DialogModel::Post(std::uint32_t message) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(message);
    }
    posted_.notify_all();
}

std::intptr_t DialogModel::Send(std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    return procedure_.Handle(*this, message, wParam, lParam);
}

void DialogModel::Click(int id) {
    Control* control = Find(id);
    if (control == nullptr || !control->visible || !control->enabled) return;
    if (IsCheckBox(id)) control->checked = !control->checked;
    Send(dialog::kCommand, static_cast<std::uintptr_t>(id));
}

void DialogModel::PressEscape() {
    Send(dialog::kCommand, 2);
}

void DialogModel::DeliverPosted() {
    DeliverUntil([] { return false; }, std::chrono::milliseconds(0));
}

bool DialogModel::DeliverUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) {
            return done();
        }
        const std::uint32_t message = queue_.front();
        queue_.pop_front();
        lock.unlock();
        Send(message);
    }
    return true;
}

void DialogModel::Apply(const JobViewUpdate& update) {
    using Kind = JobViewUpdate::Kind;
    if (update.kind == Kind::JobEnded) {
        Post(dialog::kUser + 1);
        return;
    }
    std::lock_guard lock(mutex_);
    Progress& bar = progress_;
    switch (update.kind) {
        case Kind::LogLine:
            logLines_.push_back(update.line.Std());
            break;
        case Kind::ProgressRange:
            bar.maximum = update.value;
            bar.position = std::min(bar.position, bar.maximum);
            break;
        case Kind::ProgressStep:
            bar.step = update.value;
            break;
        case Kind::ProgressPosition:
            bar.position = std::clamp(update.value, 0, bar.maximum);
            break;
        case Kind::StepIt:
            // Past the end the bar starts over, as the control does.
            bar.position += bar.step;
            if (bar.position > bar.maximum && bar.maximum > 0) bar.position %= bar.maximum;
            break;
        case Kind::JobEnded:
            break;
    }
}

std::vector<std::u16string> DialogModel::LogLines() const {
    std::lock_guard lock(mutex_);
    return logLines_;
}

DialogModel::Progress DialogModel::ProgressBar() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

}  // namespace ombrel::platform::posix
