#include "platform/audio.h"

#include <memory>

#include "platform/audio_device.h"

namespace plat {

namespace {

Mixer* TheMixer = nullptr;   // the open device's mixer, null while closed
AudioKind TheKind = AudioKind::Null;
NullAudioClock NullClock;    // the null device's time

// Holds the mixer against the audio thread (SDL) or brings it up to date (null device).
class DeviceGuard {
public:
    DeviceGuard() {
        if (TheMixer == nullptr) return;
        if (TheKind == AudioKind::Sdl) {
            SdlAudioLock();
        } else {
            TheMixer->Advance(NullClock.Elapsed());
        }
    }
    ~DeviceGuard() {
        if (TheMixer != nullptr && TheKind == AudioKind::Sdl) SdlAudioUnlock();
    }
    DeviceGuard(const DeviceGuard&) = delete;
    DeviceGuard& operator=(const DeviceGuard&) = delete;
};

}  // namespace

bool AudioOpen(AudioKind kind, AudioClock clock, std::string& error) {
    AudioClose();
    auto mixer = std::make_unique<Mixer>();
    if (kind == AudioKind::Null) {
        if (clock == nullptr) {
            error = "the null sound device needs a clock";
            return false;
        }
        NullClock.Start(clock);
    } else if (!SdlAudioOpen(mixer.get(), error)) {
        return false;
    }
    TheKind = kind;
    TheMixer = mixer.release();
    return true;
}

void AudioClose() {
    if (TheMixer == nullptr) return;
    if (TheKind == AudioKind::Sdl) SdlAudioClose();  // the audio thread has ended after this
    delete TheMixer;
    TheMixer = nullptr;
}

bool AudioIsOpen() { return TheMixer != nullptr; }

int32_t BufferCreate(const PcmFormat& format, const uint8_t* data, size_t bytes) {
    if (TheMixer == nullptr) return -1;
    // Converted outside the lock: only the voice table is shared with the audio thread.
    auto sound = std::make_shared<SoundFrames>();
    if (!ConvertToOutput(format, data, bytes, *sound)) return -1;
    DeviceGuard guard;
    return TheMixer->Create(std::move(sound));
}

int32_t BufferDuplicate(int32_t buffer) {
    if (TheMixer == nullptr) return -1;
    DeviceGuard guard;
    return TheMixer->Duplicate(buffer);
}

void BufferPlay(int32_t buffer, bool looped) {
    if (TheMixer == nullptr) return;
    DeviceGuard guard;
    TheMixer->Play(buffer, looped);
}

void BufferStop(int32_t buffer) {
    if (TheMixer == nullptr) return;
    DeviceGuard guard;
    TheMixer->Stop(buffer);
}

bool BufferPlaying(int32_t buffer) {
    if (TheMixer == nullptr) return false;
    DeviceGuard guard;
    return TheMixer->Playing(buffer);
}

void BufferReleaseAll() {
    if (TheMixer == nullptr) return;
    DeviceGuard guard;
    TheMixer->Clear();
}

}  // namespace plat
