#pragma once
// A periodic timer on a thread of its own. Deadlines are absolute (start + n * period), so the
// ticks do not drift; ticks missed while the thread was held up are skipped, not bunched.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace ronvalet {

class PeriodicTimer {
  public:
    using Callback = void (*)(void* user);

    // The limits of the period, in milliseconds.
    static constexpr uint32_t kMinPeriod = 1;
    static constexpr uint32_t kMaxPeriod = 1000000;

    PeriodicTimer() = default;
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;
    ~PeriodicTimer() { stop(); }

    // Calls `callback(user)` every `periodMs`, the first time at `first` (or one period from
    // now when `first` is the default).
    bool start(uint32_t periodMs, Callback callback, void* user,
               std::chrono::steady_clock::time_point first = {});
    // Returns once the thread has ended; no callback runs after that. Safe to call when idle.
    void stop();
    bool active() const { return thread_.joinable(); }

  private:
    void run(uint32_t periodMs, Callback callback, void* user,
             std::chrono::steady_clock::time_point first);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;  // guarded by mutex_
};

}  // namespace ronvalet
