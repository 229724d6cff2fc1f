#pragma once
// Inside the platform layer: the SDL audio output and the null device's clock, as the sound
// device (audio.cpp) drives them.
#include <cstdint>
#include <string>

#include "platform/mixer.h"

namespace plat {

// SDL output pulling from mixer on its audio thread. Lock/Unlock guard the mixer against it.
bool SdlAudioOpen(Mixer* mixer, std::string& error);
void SdlAudioClose();
void SdlAudioLock();
void SdlAudioUnlock();

// The null device: moves the mixer's voices on by the time passed on its clock.
class NullAudioClock {
public:
    void Start(AudioClock clock);
    // Frames of output time passed since the last call.
    size_t Elapsed();

private:
    AudioClock clock_ = nullptr;
    uint32_t lastMs_ = 0;
    uint64_t remainder_ = 0;  // frames * 1000 not yet handed out
};

}  // namespace plat
