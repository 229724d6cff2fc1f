#pragma once
// The library's millisecond clock: a monotonic count that wraps at 2^32, like the system clock
// the playback state was designed around.
#include <chrono>
#include <cstdint>

namespace ronvalet {

using Clock = uint32_t (*)();

// Milliseconds since the library was loaded.
uint32_t systemMilliseconds();

// The instant at which systemMilliseconds() turns to `ms`.
std::chrono::steady_clock::time_point systemMillisecondInstant(uint32_t ms);

}  // namespace ronvalet
