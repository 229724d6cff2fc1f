#pragma once
// Where MIDI messages go. Implementations: a FluidSynth synthesizer, an ALSA sequencer port, and
// a capture file; chosen by RONVALET_OUTPUT. Every method may be called from the host's thread
// and from the timer thread at once, so implementations guard their own state.
#include <cstdint>
#include <memory>

#include "clock.h"

namespace ronvalet {

// A system-exclusive message made ready for sending (the "prepared header").
struct SysexHeader {
    const uint8_t* bytes = nullptr;  // status byte first, ending in 0xF7
    uint32_t size = 0;               // bytes to send
    uint32_t offset = 0;             // the event's data before it was prepared
    bool prepared = false;
};

class MidiOutput {
  public:
    virtual ~MidiOutput() = default;
    // A packed short message: status in bits 0-7, data 1 in 8-15, data 2 in 16-23.
    virtual bool shortMessage(uint32_t message) = 0;
    virtual bool prepare(SysexHeader& header) {
        header.prepared = true;
        return true;
    }
    virtual void unprepare(SysexHeader& header) { header.prepared = false; }
    virtual bool longMessage(const SysexHeader& header) = 0;
    // Silences everything and returns the device to its starting state.
    virtual bool reset() = 0;
    // Releases the device; false if that failed.
    virtual bool close() { return true; }
};

// Makes the output named by `spec` (the value of RONVALET_OUTPUT; null means the default,
// "fluidsynth"). Returns null, with a trace saying why, when none can be made.
std::unique_ptr<MidiOutput> makeOutput(const char* spec, Clock clock);

// FluidSynth's reverb and chorus: modest by default (a small room, low levels, so the General
// MIDI songs stay dry and clear), off with RONVALET_REVERB=0.
struct SynthEffects {
    bool on = true;
    double reverbRoom = 0.3, reverbLevel = 0.4;
    double chorusLevel = 0.6, chorusDepth = 4.0;
};
// The effects for a value of RONVALET_REVERB (null or anything but "0" leaves them on).
SynthEffects synthEffectsFor(const char* value);

std::unique_ptr<MidiOutput> makeFluidSynthOutput();
std::unique_ptr<MidiOutput> makeCaptureOutput(const char* path, Clock clock);
std::unique_ptr<MidiOutput> makeAlsaOutput(const char* address);

// While on, ALSA's own error messages (FluidSynth tries ALSA audio first) go to the traces
// instead of standard error; off restores ALSA's default.
void routeAlsaErrorsToTrace(bool on);

}  // namespace ronvalet
