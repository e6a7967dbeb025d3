#include "cli/Progress.h"

#include <algorithm>
#include <string>

namespace ombrel::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* terminal, int folders, std::int64_t messages)
    : terminal_(terminal), folders_(folders), messages_(messages) {}

void ProgressBar::MessageDone() {
    ++messagesDone_;
    if (std::chrono::steady_clock::now() - drawn_ >= kRedrawInterval) Draw();
}

void ProgressBar::Finish() {
    Draw();
    std::fputc('\n', terminal_);
}

void ProgressBar::Draw() {
    drawn_ = std::chrono::steady_clock::now();
    const double share =
        messages_ > 0 ? static_cast<double>(messagesDone_) / static_cast<double>(messages_) : 1.0;
    const int filled = std::clamp(static_cast<int>(share * kBarWidth), 0, kBarWidth);
    const double rate = MessagesPerSecond(messagesDone_, start_);
    const auto left =
        rate > 0 ? static_cast<long>(static_cast<double>(messages_ - messagesDone_) / rate) : 0L;
    std::fprintf(terminal_,
                 "\r[%s%s] %d/%d folders  %lld/%lld messages  %.0f messages/s  %ld:%02ld left ",
                 std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '.').c_str(),
                 foldersDone_, folders_, static_cast<long long>(messagesDone_),
                 static_cast<long long>(messages_), rate, left / 60, left % 60);
    std::fflush(terminal_);
}

double MessagesPerSecond(std::int64_t messages, std::chrono::steady_clock::time_point start) {
    const double seconds = SecondsSince(start);
    return seconds > 0 ? static_cast<double>(messages) / seconds : 0.0;
}

}  // namespace ombrel::cli
