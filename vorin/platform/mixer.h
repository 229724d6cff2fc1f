#pragma once
// The mixer behind the sound device: sounds converted to the output format once, and voices
// (buffers) that play them from a position. Plain C++; the SDL device calls Mix from its
// audio thread under the device lock, the null device calls Advance.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio.h"

namespace plat {

// Interleaved stereo 16-bit samples at AudioRate.
using SoundFrames = std::vector<int16_t>;

// Converts source samples to the output format (linear interpolation across rates).
// Returns false for a format it does not support: PCM of 8, 16, 24 or 32 bits, float of
// 32 bits, one or two channels, 1000 to 192000 samples per second.
bool ConvertToOutput(const PcmFormat& format, const uint8_t* data, size_t bytes,
                     SoundFrames& out);

class Mixer {
public:
    Mixer();
    // Each returns a voice id, or -1.
    int32_t Create(std::shared_ptr<const SoundFrames> sound);
    int32_t Duplicate(int32_t voice);
    void Play(int32_t voice, bool looped);
    void Stop(int32_t voice);
    bool Playing(int32_t voice) const;
    void Clear();
    size_t VoiceCount() const { return voices_.size(); }

    // Adds every playing voice into out (frames stereo frames, zeroed first), clipping.
    void Mix(int16_t* out, size_t frames);
    // Moves every playing voice on by frames without output.
    void Advance(size_t frames);

private:
    struct Voice {
        std::shared_ptr<const SoundFrames> sound;
        size_t pos = 0;  // next frame
        bool playing = false;
        bool looped = false;
    };
    bool Valid(int32_t voice) const { return voice >= 0 && size_t(voice) < voices_.size(); }
    std::vector<Voice> voices_;
    std::vector<int32_t> accum_;  // mixing scratch, sized once
};

}  // namespace plat
