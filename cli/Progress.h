#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace ombrel::cli {

// The progress of an index run on a terminal: one line, redrawn at most ten times a second, with
// the folders and messages done, the rate and the time left.
class ProgressBar {
  public:
    ProgressBar(std::FILE* terminal, int folders, std::int64_t messages);

    void FolderDone() { ++foldersDone_; }
    void MessageDone();
    // Draws the last state and ends the line.
    void Finish();

  private:
    void Draw();

    std::FILE* terminal_;
    int folders_;
    std::int64_t messages_;
    int foldersDone_ = 0;
    std::int64_t messagesDone_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn_{};
};

// Messages per second over the time since `start`.
double MessagesPerSecond(std::int64_t messages, std::chrono::steady_clock::time_point start);

}  // namespace ombrel::cli
