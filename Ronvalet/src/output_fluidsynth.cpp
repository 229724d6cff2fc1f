// The default output: a FluidSynth synthesizer with a General MIDI SoundFont, sounding through
// FluidSynth's own audio driver.
#include "output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <fluidsynth.h>
#include <unistd.h>

#include "trace.h"

namespace ronvalet {

namespace {

// SoundFonts tried, in order, when RONVALET_SOUNDFONT names none.
constexpr const char* kDefaultSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
};

void fluidLog(int level, const char* message, void*) {
    trace("fluidsynth (%d): %s\n", level, message);
}

const char* findSoundFont() {
    if (const char* named = std::getenv("RONVALET_SOUNDFONT"); named != nullptr && *named) {
        if (::access(named, R_OK) == 0) return named;
        trace("RONVALET_SOUNDFONT=%s cannot be read\n", named);
        return nullptr;
    }
    for (const char* path : kDefaultSoundFonts) {
        if (::access(path, R_OK) == 0) return path;
    }
    trace("no General MIDI SoundFont found (set RONVALET_SOUNDFONT)\n");
    return nullptr;
}

// True when the file opens as a RIFF SoundFont ("sfbk", SF2 or SF3) or DLS collection.
// Anything else is refused before FluidSynth sees it: its fallback loader would print
// GLib assertions on standard error instead of failing quietly.
bool looksLikeSoundFont(const char* path) {
    char head[12] = {};
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    const size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    return got == sizeof head && std::memcmp(head, "RIFF", 4) == 0 &&
           (std::memcmp(head + 8, "sfbk", 4) == 0 || std::memcmp(head + 8, "DLS ", 4) == 0);
}

// Applied to the settings before the synthesizer is made.
void applyEffects(fluid_settings_t* settings, const SynthEffects& fx) {
    fluid_settings_setint(settings, "synth.reverb.active", fx.on ? 1 : 0);
    fluid_settings_setint(settings, "synth.chorus.active", fx.on ? 1 : 0);
    fluid_settings_setnum(settings, "synth.reverb.room-size", fx.reverbRoom);
    fluid_settings_setnum(settings, "synth.reverb.level", fx.reverbLevel);
    fluid_settings_setnum(settings, "synth.chorus.level", fx.chorusLevel);
    fluid_settings_setnum(settings, "synth.chorus.depth", fx.chorusDepth);
}

class FluidSynthOutput final : public MidiOutput {
  public:
    ~FluidSynthOutput() override { close(); }

    bool open() {
        const char* soundFont = findSoundFont();
        if (soundFont == nullptr) return false;
        settings_ = new_fluid_settings();
        if (settings_ == nullptr) return false;
        if (const char* driver = std::getenv("RONVALET_AUDIO_DRIVER"); driver && *driver) {
            fluid_settings_setstr(settings_, "audio.driver", driver);
        }
        if (const char* file = std::getenv("RONVALET_AUDIO_FILE"); file && *file) {
            fluid_settings_setstr(settings_, "audio.file.name", file);
        }
        applyEffects(settings_, synthEffectsFor(std::getenv("RONVALET_REVERB")));
        synth_ = new_fluid_synth(settings_);
        if (synth_ == nullptr) {
            trace("fluidsynth: cannot create the synthesizer\n");
            return false;
        }
        // The audio driver first: without a sound device, failing takes a few milliseconds
        // instead of the SoundFont's whole load. It plays silence until the SoundFont is in.
        routeAlsaErrorsToTrace(true);
        driver_ = new_fluid_audio_driver(settings_, synth_);
        routeAlsaErrorsToTrace(false);
        if (driver_ == nullptr) {
            trace("fluidsynth: no audio driver could be started (set RONVALET_AUDIO_DRIVER)\n");
            return false;
        }
        if (!looksLikeSoundFont(soundFont)) {
            trace(
                "fluidsynth: cannot load SoundFont %s: not a SoundFont (no RIFF sfbk or DLS "
                "header)\n",
                soundFont);
            return false;
        }
        if (fluid_synth_sfload(synth_, soundFont, 1) == FLUID_FAILED) {
            trace("fluidsynth: cannot load SoundFont %s\n", soundFont);
            return false;
        }
        return true;
    }

    bool shortMessage(uint32_t message) override {
        int channel = message & 0x0F;
        int d1 = message >> 8 & 0x7F;
        int d2 = message >> 16 & 0x7F;
        int result = FLUID_FAILED;
        switch (message & 0xF0) {
            case 0x80:
                result = fluid_synth_noteoff(synth_, channel, d1);
                break;
            case 0x90:
                result = fluid_synth_noteon(synth_, channel, d1, d2);
                break;
            case 0xA0:
                result = fluid_synth_key_pressure(synth_, channel, d1, d2);
                break;
            case 0xB0:
                result = fluid_synth_cc(synth_, channel, d1, d2);
                break;
            case 0xC0:
                result = fluid_synth_program_change(synth_, channel, d1);
                break;
            case 0xD0:
                result = fluid_synth_channel_pressure(synth_, channel, d1);
                break;
            case 0xE0:
                result = fluid_synth_pitch_bend(synth_, channel, d1 | d2 << 7);
                break;
            default:
                break;
        }
        return result == FLUID_OK;
    }

    bool longMessage(const SysexHeader& header) override {
        if (!header.prepared || header.size < 2) return false;
        // FluidSynth takes the message without its opening and closing bytes.
        const char* body = reinterpret_cast<const char*>(header.bytes + 1);
        return fluid_synth_sysex(synth_, body, int(header.size - 2), nullptr, nullptr, nullptr,
                                 0) == FLUID_OK;
    }

    bool reset() override { return fluid_synth_system_reset(synth_) == FLUID_OK; }

    bool close() override {
        if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
        if (synth_ != nullptr) delete_fluid_synth(synth_);
        if (settings_ != nullptr) delete_fluid_settings(settings_);
        driver_ = nullptr;
        synth_ = nullptr;
        settings_ = nullptr;
        return true;
    }

  private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace

SynthEffects synthEffectsFor(const char* value) {
    SynthEffects fx;
    fx.on = value == nullptr || std::string_view(value) != "0";
    return fx;
}

std::unique_ptr<MidiOutput> makeFluidSynthOutput() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, fluidLog, nullptr);
    }
    auto out = std::make_unique<FluidSynthOutput>();
    if (!out->open()) return nullptr;
    return out;
}

}  // namespace ronvalet
