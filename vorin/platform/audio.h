#pragma once
// The sound device: buffers made from wave samples, copies of a buffer that share its
// samples, and play/stop/rewind. The SDL device mixes them into the audio output; the null
// device (headless) plays nothing but keeps each buffer "playing" for as long as its sound
// lasts on a clock it is given, so the game's play rule behaves the same.
#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

// The device's output format: every sound is converted to it once, when it is created.
constexpr int AudioRate = 44100;
constexpr int AudioChannels = 2;
constexpr int AudioBufferFrames = 512;  // about 12 ms per device buffer

// The sample format of a buffer's source data.
struct PcmFormat {
    uint16_t formatTag = 1;  // 1 integer PCM, 3 float
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
};

enum class AudioKind { Sdl, Null };
using AudioClock = uint32_t (*)();  // milliseconds

// Opens the device. The null device keeps time on clock (required for it). On failure
// returns false and sets error; the device then stays closed.
bool AudioOpen(AudioKind kind, AudioClock clock, std::string& error);
// Stops everything, releases every buffer and closes the device.
void AudioClose();
bool AudioIsOpen();

// A master buffer holding the given samples; -1 when the format is not supported or the
// device is closed. Releases nothing else.
int32_t BufferCreate(const PcmFormat& format, const uint8_t* data, size_t bytes);
// A copy of a buffer sharing its samples (no sample is copied); -1 on failure.
int32_t BufferDuplicate(int32_t buffer);
// Stops, rewinds to the first sample and plays once or looping.
void BufferPlay(int32_t buffer, bool looped);
void BufferStop(int32_t buffer);
bool BufferPlaying(int32_t buffer);
// Releases every buffer (the device stays open).
void BufferReleaseAll();

}  // namespace plat
