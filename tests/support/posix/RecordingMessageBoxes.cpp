#include "tests/support/posix/RecordingMessageBoxes.h"

namespace ombrel::platform::posix {

int RecordingMessageBoxes::Show(WindowHandle owner, const WideString& text,
                                const WideString& caption, std::uint32_t style) {
    std::lock_guard lock(mutex_);
    shown_.push_back({owner, text, caption, style});
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (style & 0xF) == mb::kYesNo ? mb::kAnswerYes : mb::kAnswerOk;
}

void RecordingMessageBoxes::QueueAnswer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

std::vector<ShownMessageBox> RecordingMessageBoxes::Shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

void RecordingMessageBoxes::Clear() {
    std::lock_guard lock(mutex_);
    shown_.clear();
    answers_.clear();
}

}  // namespace ombrel::platform::posix
