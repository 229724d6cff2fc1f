#include "clock.h"

#include <chrono>

namespace ronvalet {

namespace {
// The moment the library was loaded; the clock counts from here.
const auto clockEpoch = std::chrono::steady_clock::now();
}  // namespace

uint32_t systemMilliseconds() {
    auto elapsed = std::chrono::steady_clock::now() - clockEpoch;
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::chrono::steady_clock::time_point systemMillisecondInstant(uint32_t ms) {
    return clockEpoch + std::chrono::milliseconds(ms);
}

}  // namespace ronvalet
