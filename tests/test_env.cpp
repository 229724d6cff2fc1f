// Every test runs without a display, a sound card or a MIDI synthesizer, whatever the machine
// has; set before any test starts (a test may still choose its own driver).
#include <cstdlib>

namespace {
const bool kEnvironmentSet = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("RONVALET_OUTPUT", "none", 0);
    return true;
}();
}  // namespace
