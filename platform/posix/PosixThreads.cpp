#include "platform/posix/PosixThreads.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ombrel::platform::posix {
namespace {

class PosixEvent final : public Event {
  public:
    void Set() override { set_.store(true); }
    bool IsSet() const override { return set_.load(); }

  private:
    std::atomic<bool> set_ = false;
};

// What a started thread shares with the objects that control it.
struct Control {
    std::mutex mutex;
    std::condition_variable changed;
    // Changed under the mutex; read without it first by the pause point, which runs often.
    std::atomic<std::int32_t> suspendCount = 0;
    bool ended = false;
    std::thread::id id;
};

thread_local Control* currentControl = nullptr;

class PosixThread final : public Thread {
  public:
    PosixThread(std::shared_ptr<Control> control, std::thread thread)
        : control_(std::move(control)), thread_(std::move(thread)) {}
    ~PosixThread() override {
        if (thread_.joinable()) thread_.detach();
    }

    std::int32_t Suspend() override {
        std::lock_guard lock(control_->mutex);
        if (control_->ended) return -1;
        return control_->suspendCount++;
    }
    std::int32_t Resume() override {
        std::lock_guard lock(control_->mutex);
        if (control_->ended) return -1;
        const std::int32_t previous = control_->suspendCount;
        if (previous > 0 && --control_->suspendCount == 0) control_->changed.notify_all();
        return previous;
    }
    bool WaitFor(std::chrono::milliseconds limit) override {
        if (IsCurrentThread()) return true;
        {
            std::unique_lock lock(control_->mutex);
            const auto ended = [this] { return control_->ended; };
            if (limit == kNoTimeLimit) {
                control_->changed.wait(lock, ended);
            } else if (!control_->changed.wait_for(lock, limit, ended)) {
                return false;
            }
        }
        if (thread_.joinable()) thread_.join();
        return true;
    }
    bool IsRunning() const override {
        std::lock_guard lock(control_->mutex);
        return !control_->ended;
    }
    bool IsCurrentThread() const override { return std::this_thread::get_id() == control_->id; }

  private:
    std::shared_ptr<Control> control_;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<Event> PosixThreads::CreateManualResetEvent() {
    return std::make_unique<PosixEvent>();
}

std::unique_ptr<Thread> PosixThreads::StartThread(std::function<void()> body) {
    auto control = std::make_shared<Control>();
    std::unique_lock lock(control->mutex);  // the id is known before the body can ask for it
    std::thread thread([control, body = std::move(body)] {
        { std::lock_guard started(control->mutex); }
        currentControl = control.get();
        try {
            body();
        } catch (...) {
            // Nothing a thread's body throws leaves the thread.
        }
        currentControl = nullptr;
        std::lock_guard ended(control->mutex);
        control->ended = true;
        control->suspendCount = 0;
        control->changed.notify_all();
    });
    control->id = thread.get_id();
    lock.unlock();
    return std::make_unique<PosixThread>(std::move(control), std::move(thread));
}

void PosixThreads::PausePoint() {
    Control* control = currentControl;
    if (control == nullptr || control->suspendCount.load(std::memory_order_relaxed) == 0) return;
    std::unique_lock lock(control->mutex);
    control->changed.wait(lock, [control] { return control->suspendCount == 0; });
}

}  // namespace ombrel::platform::posix
