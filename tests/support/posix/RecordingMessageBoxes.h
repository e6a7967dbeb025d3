#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/MessageBoxes.h"

namespace ombrel::platform::posix {

// A message box that was asked for.
struct ShownMessageBox {
    WindowHandle owner = nullptr;
    WideString text;
    WideString caption;
    std::uint32_t style = 0;
};

// Message boxes that never block: each is recorded and answered from a queue of scripted answers
// (IDOK, or IDYES for a Yes/No box, when the queue is empty).
class RecordingMessageBoxes final : public MessageBoxes {
  public:
    int Show(WindowHandle owner, const WideString& text, const WideString& caption,
             std::uint32_t style) override;

    void QueueAnswer(int answer);
    std::vector<ShownMessageBox> Shown() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::vector<ShownMessageBox> shown_;
    std::deque<int> answers_;
};

}  // namespace ombrel::platform::posix
