#include "output.h"

#include <cstring>

#include "trace.h"

namespace ronvalet {

std::unique_ptr<MidiOutput> makeOutput(const char* spec, Clock clock) {
    if (spec == nullptr || *spec == '\0' || std::strcmp(spec, "fluidsynth") == 0) {
        return makeFluidSynthOutput();
    }
    if (std::strcmp(spec, "none") == 0) {
        trace("RONVALET_OUTPUT=none: no MIDI output device\n");
        return nullptr;
    }
    if (std::strncmp(spec, "capture:", 8) == 0) return makeCaptureOutput(spec + 8, clock);
    if (std::strncmp(spec, "alsa:", 5) == 0) return makeAlsaOutput(spec + 5);
    trace("RONVALET_OUTPUT=%s: unknown output (fluidsynth, capture:FILE, alsa:CLIENT:PORT, none)\n",
          spec);
    return nullptr;
}

}  // namespace ronvalet
