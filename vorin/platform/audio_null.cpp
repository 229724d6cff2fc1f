// The null sound device's time: output frames passed on the clock it was given, so buffers
// "play" for exactly as long as their sound lasts without any output.
#include "platform/audio_device.h"

namespace plat {

void NullAudioClock::Start(AudioClock clock) {
    clock_ = clock;
    lastMs_ = clock_();
    remainder_ = 0;
}

size_t NullAudioClock::Elapsed() {
    const uint32_t now = clock_();
    const uint32_t ms = now - lastMs_;  // wraps like the millisecond clock itself
    lastMs_ = now;
    const uint64_t scaled = uint64_t(ms) * AudioRate + remainder_;
    remainder_ = scaled % 1000;
    return size_t(scaled / 1000);
}

}  // namespace plat
