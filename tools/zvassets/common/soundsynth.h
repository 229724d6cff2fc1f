#pragma once
// The sound-effect synthesiser: a readable parameter file per effect (assets/sounds/*.sound)
// describes layers of oscillators or noise with a pitch glide, a filter and an envelope.
#include <cstdint>
#include <string>
#include <vector>

namespace zvtools {

enum class Osc { Sine, Square, Saw, Triangle, Noise };

struct SoundLayer {
    Osc wave = Osc::Sine;
    double pitchFrom = 440, pitchTo = 440;  // Hz, exponential glide over the layer (noise:
                                            // rate of new values; 0 = every sample)
    double duty = 0.5;                      // square: part of the period that is high
    double volume = 0.5;                    // peak amplitude, 0..1
    double start = 0;                       // seconds into the sound
    double attack = 0.002, hold = 0, decay = 0.1;  // seconds
    double curve = 2;                       // decay shape: 1 linear, higher falls faster
    double lowpassFrom = 0, lowpassTo = 0;  // Hz cutoff glide of a one-pole low-pass; 0 = off
    double vibratoRate = 0, vibratoDepth = 0;  // Hz, semitones
};

struct SoundSpec {
    std::string name;       // the collection entry's name
    bool looped = false;
    int32_t maximum = 0;    // maximum playing count, 0 = no limit
    uint32_t rate = 44100;  // samples per second
    double length = 0.5;    // seconds
    std::vector<SoundLayer> layers;
};

// Parses a parameter file; throws std::runtime_error "file:line: reason".
SoundSpec ParseSoundSpec(const std::string& text, const std::string& fileName);
// Mono 16-bit samples of the sound, the same on every run.
std::vector<int16_t> Synthesize(const SoundSpec& spec);

}  // namespace zvtools
