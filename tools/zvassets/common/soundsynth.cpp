#include "common/soundsynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace zvtools {

namespace {

constexpr double MaxLength = 10.0;  // seconds: effects are short
constexpr double EndFade = 0.004;   // seconds faded out at the very end, against clicks

[[noreturn]] void Fail(const std::string& file, int line, const std::string& why) {
    throw std::runtime_error(file + ":" + std::to_string(line) + ": " + why);
}

double Number(std::istringstream& in, const std::string& file, int line, const std::string& key,
              double lo, double hi) {
    double v;
    if (!(in >> v)) Fail(file, line, "'" + key + "' needs a number");
    if (!(v >= lo && v <= hi)) {
        Fail(file, line, "'" + key + "' must lie between " + std::to_string(lo) + " and " +
                             std::to_string(hi));
    }
    return v;
}

Osc WaveNamed(const std::string& s, const std::string& file, int line) {
    if (s == "sine") return Osc::Sine;
    if (s == "square") return Osc::Square;
    if (s == "saw") return Osc::Saw;
    if (s == "triangle") return Osc::Triangle;
    if (s == "noise") return Osc::Noise;
    Fail(file, line, "unknown wave '" + s + "' (sine, square, saw, triangle or noise)");
}

// A one-value or "from to" pair.
void Range(std::istringstream& in, const std::string& file, int line, const std::string& key,
           double lo, double hi, double& from, double& to) {
    from = Number(in, file, line, key, lo, hi);
    double second;
    to = (in >> second) ? second : from;
    if (!(to >= lo && to <= hi)) Fail(file, line, "'" + key + "' end value out of range");
}

// Deterministic noise: xorshift32.
struct Noise {
    uint32_t state;
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state) / 2147483648.0 - 1.0;
    }
};

double Envelope(const SoundLayer& l, double t) {
    if (t < 0) return 0;
    if (t < l.attack) return t / l.attack;
    t -= l.attack;
    if (t < l.hold) return 1;
    t -= l.hold;
    if (t >= l.decay) return 0;
    return std::pow(1.0 - t / l.decay, l.curve);
}

}  // namespace

SoundSpec ParseSoundSpec(const std::string& text, const std::string& file) {
    SoundSpec spec;
    std::istringstream lines(text);
    std::string raw;
    int line = 0;
    SoundLayer* layer = nullptr;
    while (std::getline(lines, raw)) {
        ++line;
        raw = raw.substr(0, raw.find('#'));
        std::istringstream in(raw);
        std::string key;
        if (!(in >> key)) continue;
        if (key == "layer") {
            spec.layers.emplace_back();
            layer = &spec.layers.back();
        } else if (layer == nullptr) {
            if (key == "name") {
                if (!(in >> spec.name)) Fail(file, line, "'name' needs a value");
            } else if (key == "looped") {
                std::string v;
                in >> v;
                if (v != "yes" && v != "no") Fail(file, line, "'looped' is yes or no");
                spec.looped = v == "yes";
            } else if (key == "maximum") {
                spec.maximum = int32_t(Number(in, file, line, key, 0, 64));
            } else if (key == "rate") {
                spec.rate = uint32_t(Number(in, file, line, key, 8000, 96000));
            } else if (key == "length") {
                spec.length = Number(in, file, line, key, 0.01, MaxLength);
            } else {
                Fail(file, line, "unknown key '" + key + "' before the first layer");
            }
        } else if (key == "wave") {
            std::string v;
            in >> v;
            layer->wave = WaveNamed(v, file, line);
        } else if (key == "pitch") {
            Range(in, file, line, key, 0, 20000, layer->pitchFrom, layer->pitchTo);
        } else if (key == "lowpass") {
            Range(in, file, line, key, 0, 20000, layer->lowpassFrom, layer->lowpassTo);
        } else if (key == "vibrato") {
            layer->vibratoRate = Number(in, file, line, key, 0, 100);
            layer->vibratoDepth = Number(in, file, line, key, 0, 12);
        } else if (key == "duty") {
            layer->duty = Number(in, file, line, key, 0.01, 0.99);
        } else if (key == "volume") {
            layer->volume = Number(in, file, line, key, 0, 1);
        } else if (key == "start") {
            layer->start = Number(in, file, line, key, 0, MaxLength);
        } else if (key == "attack") {
            layer->attack = Number(in, file, line, key, 0.0001, MaxLength);
        } else if (key == "hold") {
            layer->hold = Number(in, file, line, key, 0, MaxLength);
        } else if (key == "decay") {
            layer->decay = Number(in, file, line, key, 0.001, MaxLength);
        } else if (key == "curve") {
            layer->curve = Number(in, file, line, key, 0.1, 10);
        } else {
            Fail(file, line, "unknown layer key '" + key + "'");
        }
    }
    if (spec.name.empty()) Fail(file, line, "the sound has no 'name'");
    if (spec.layers.empty()) Fail(file, line, "the sound has no 'layer'");
    return spec;
}

std::vector<int16_t> Synthesize(const SoundSpec& spec) {
    const size_t count = size_t(std::lround(spec.length * spec.rate));
    std::vector<double> mix(count, 0.0);
    const double dt = 1.0 / spec.rate;
    uint32_t seed = 0x2545F491u;
    for (const SoundLayer& l : spec.layers) {
        const double span = std::max(l.attack + l.hold + l.decay, dt);
        const double lnFrom = std::log(std::max(l.pitchFrom, 1.0));
        const double lnTo = std::log(std::max(l.pitchTo, 1.0));
        Noise noise{seed};
        seed = seed * 1664525u + 1013904223u;  // each layer its own noise
        double phase = 0, held = 0, filtered = 0;
        const size_t first = size_t(std::lround(l.start * spec.rate));
        for (size_t i = first; i < count; ++i) {
            const double t = double(i - first) * dt;
            const double env = Envelope(l, t);
            if (env == 0 && t > l.attack) break;
            const double k = std::min(t / span, 1.0);
            double hz = l.pitchFrom > 0 ? std::exp(lnFrom + (lnTo - lnFrom) * k) : 0;
            if (l.vibratoDepth > 0) {
                hz *= std::exp2(l.vibratoDepth / 12.0 *
                                std::sin(2 * std::numbers::pi * l.vibratoRate * t));
            }
            const double before = phase;
            phase += hz * dt;
            phase -= std::floor(phase);
            double v = 0;
            switch (l.wave) {
                case Osc::Sine: v = std::sin(2 * std::numbers::pi * phase); break;
                case Osc::Square: v = phase < l.duty ? 1 : -1; break;
                case Osc::Saw: v = 2 * phase - 1; break;
                case Osc::Triangle: v = 1 - 4 * std::abs(phase - 0.5); break;
                case Osc::Noise:
                    // New value every sample, or at the pitch rate (a coarser, 8-bit noise).
                    if (hz <= 0 || phase < before) held = noise.Next();
                    v = held;
                    break;
            }
            if (l.lowpassFrom > 0) {
                const double fc = std::exp(std::log(l.lowpassFrom) +
                                           (std::log(std::max(l.lowpassTo, 1.0)) -
                                            std::log(l.lowpassFrom)) * k);
                filtered += (1 - std::exp(-2 * std::numbers::pi * fc * dt)) * (v - filtered);
                v = filtered;
            }
            mix[i] += v * env * l.volume;
        }
    }
    std::vector<int16_t> out(count);
    const size_t fade = std::min(count, size_t(EndFade * spec.rate));
    for (size_t i = 0; i < count; ++i) {
        double v = std::clamp(mix[i], -1.0, 1.0);
        if (i + fade >= count && fade > 0) v *= double(count - i) / double(fade + 1);
        out[i] = int16_t(std::lround(v * 32767));
    }
    return out;
}

}  // namespace zvtools
