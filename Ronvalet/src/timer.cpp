#include "timer.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace ronvalet {

namespace {
constexpr int kRealTimePriority = 10;  // low among real-time priorities (1..99)
}  // namespace

bool PeriodicTimer::start(uint32_t periodMs, Callback callback, void* user,
                          std::chrono::steady_clock::time_point first) {
    stop();
    if (periodMs < kMinPeriod || periodMs > kMaxPeriod || callback == nullptr) return false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    if (first == std::chrono::steady_clock::time_point{}) {
        first = std::chrono::steady_clock::now() + std::chrono::milliseconds(periodMs);
    }
    thread_ = std::thread(&PeriodicTimer::run, this, periodMs, callback, user, first);
    return true;
}

void PeriodicTimer::stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PeriodicTimer::run(uint32_t periodMs, Callback callback, void* user,
                        std::chrono::steady_clock::time_point first) {
    using Clock = std::chrono::steady_clock;
    // Like the system timers the playback was designed for, ticks run ahead of ordinary
    // threads when the system allows it (a real-time priority); otherwise at normal priority.
    sched_param param{};
    param.sched_priority = kRealTimePriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    const auto period = std::chrono::milliseconds(periodMs);
    auto deadline = first;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_until(lock, deadline, [this] { return stopping_; })) {
        lock.unlock();
        callback(user);
        lock.lock();
        deadline += period;
        auto now = Clock::now();
        if (deadline <= now) deadline += ((now - deadline) / period + 1) * period;
    }
}

}  // namespace ronvalet
