#include "timer.h"

#include <chrono>

namespace ronvalet {

bool PeriodicTimer::start(uint32_t periodMs, Callback callback, void* user) {
    stop();
    if (periodMs < kMinPeriod || periodMs > kMaxPeriod || callback == nullptr) return false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread(&PeriodicTimer::run, this, periodMs, callback, user);
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

void PeriodicTimer::run(uint32_t periodMs, Callback callback, void* user) {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto deadline = Clock::now() + period;
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
