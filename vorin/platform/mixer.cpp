#include "platform/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plat {

namespace {

constexpr uint32_t MinRate = 1000;
constexpr uint32_t MaxRate = 192000;

// One source sample as a float in -1..1.
float SampleAt(const uint8_t* p, uint16_t tag, uint16_t bits) {
    if (tag == 3) {
        float f;
        std::memcpy(&f, p, 4);
        if (!(f == f)) return 0.0f;  // NaN
        return std::clamp(f, -1.0f, 1.0f);
    }
    switch (bits) {
        case 8:
            return (int(p[0]) - 128) / 128.0f;
        case 16:
            return int16_t(uint16_t(p[0] | p[1] << 8)) / 32768.0f;
        case 24: {
            int32_t v = int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24);
            return float(v >> 8) / 8388608.0f;
        }
        default: {
            int32_t v = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
            return float(double(v) / 2147483648.0);
        }
    }
}

int16_t ToS16(float f) {
    const float scaled = std::nearbyint(f * 32768.0f);
    return int16_t(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

bool ConvertToOutput(const PcmFormat& format, const uint8_t* data, size_t bytes,
                     SoundFrames& out) {
    out.clear();
    const bool pcm = format.formatTag == 1 && (format.bits == 8 || format.bits == 16 ||
                                               format.bits == 24 || format.bits == 32);
    const bool flt = format.formatTag == 3 && format.bits == 32;
    if (!pcm && !flt) return false;
    if (format.channels < 1 || format.channels > 2) return false;
    if (format.rate < MinRate || format.rate > MaxRate) return false;

    const size_t sampleBytes = format.bits / 8;
    const size_t frameBytes = sampleBytes * format.channels;
    const size_t inFrames = bytes / frameBytes;  // a partial last frame is dropped
    if (inFrames == 0) return true;

    // Source frames as float stereo, then resampled to the output rate.
    std::vector<float> src(inFrames * 2);
    for (size_t i = 0; i < inFrames; ++i) {
        const uint8_t* f = data + i * frameBytes;
        const float l = SampleAt(f, format.formatTag, format.bits);
        const float r = format.channels == 2 ? SampleAt(f + sampleBytes, format.formatTag,
                                                        format.bits)
                                             : l;
        src[i * 2] = l;
        src[i * 2 + 1] = r;
    }
    const uint64_t outFrames =
        (uint64_t(inFrames) * AudioRate + format.rate - 1) / format.rate;
    out.resize(outFrames * 2);
    const double step = double(format.rate) / AudioRate;
    for (uint64_t i = 0; i < outFrames; ++i) {
        const double at = double(i) * step;
        const size_t k = std::min(size_t(at), inFrames - 1);
        const size_t k1 = std::min(k + 1, inFrames - 1);
        const float t = float(at - double(k));
        for (int c = 0; c < 2; ++c) {
            const float a = src[k * 2 + c], b = src[k1 * 2 + c];
            out[i * 2 + c] = ToS16(a + (b - a) * t);
        }
    }
    return true;
}

Mixer::Mixer() : accum_(size_t(AudioBufferFrames) * AudioChannels) {}

int32_t Mixer::Create(std::shared_ptr<const SoundFrames> sound) {
    if (!sound) return -1;
    voices_.push_back(Voice{std::move(sound)});
    return int32_t(voices_.size() - 1);
}

int32_t Mixer::Duplicate(int32_t voice) {
    if (!Valid(voice)) return -1;
    return Create(voices_[voice].sound);
}

void Mixer::Play(int32_t voice, bool looped) {
    if (!Valid(voice)) return;
    Voice& v = voices_[voice];
    v.pos = 0;
    v.looped = looped;
    v.playing = !v.sound->empty();
}

void Mixer::Stop(int32_t voice) {
    if (Valid(voice)) voices_[voice].playing = false;
}

bool Mixer::Playing(int32_t voice) const { return Valid(voice) && voices_[voice].playing; }

void Mixer::Clear() { voices_.clear(); }

void Mixer::Advance(size_t frames) {
    for (Voice& v : voices_) {
        if (!v.playing) continue;
        const size_t length = v.sound->size() / 2;
        if (v.looped) {
            v.pos = (v.pos + frames % length) % length;
        } else if (frames >= length - v.pos) {
            v.playing = false;
            v.pos = length;
        } else {
            v.pos += frames;
        }
    }
}

void Mixer::Mix(int16_t* out, size_t frames) {
    const size_t chunkFrames = accum_.size() / 2;
    while (frames > 0) {
        const size_t n = std::min(frames, chunkFrames);
        std::fill(accum_.begin(), accum_.begin() + n * 2, 0);
        for (Voice& v : voices_) {
            if (!v.playing) continue;
            const int16_t* s = v.sound->data();
            const size_t length = v.sound->size() / 2;
            size_t done = 0;
            while (done < n && v.playing) {
                const size_t take = std::min(n - done, length - v.pos);
                const int16_t* from = s + v.pos * 2;
                int32_t* to = accum_.data() + done * 2;
                for (size_t i = 0; i < take * 2; ++i) to[i] += from[i];
                done += take;
                v.pos += take;
                if (v.pos == length) {
                    if (v.looped) {
                        v.pos = 0;
                    } else {
                        v.playing = false;
                    }
                }
            }
        }
        for (size_t i = 0; i < n * 2; ++i) {
            out[i] = int16_t(std::clamp(accum_[i], int32_t(-32768), int32_t(32767)));
        }
        out += n * 2;
        frames -= n;
    }
}

}  // namespace plat
