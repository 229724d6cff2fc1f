// Any text as a headless input script: parsed or refused with the line it stopped at, and
// what it accepts, written back out in the script's own words, reads back to the same events.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/options.h"
#include "shell/recording.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    std::string error;
    if (!ParseInputScript(text, events, error)) {
        if (error.rfind("line ", 0) != 0) __builtin_trap();
        return 0;
    }
    std::string again;
    int64_t previous = 1;
    for (const ScriptEvent& e : events) {
        if (e.tick < previous) __builtin_trap();  // sorted, every tick at least 1
        previous = e.tick;
        // Keys and pad readings, in the words recorded plays write them with.
        again += RecordingEventLine(e) + "\n";
    }
    std::vector<ScriptEvent> back;
    if (!ParseInputScript(again, back, error) || back.size() != events.size()) __builtin_trap();
    for (size_t i = 0; i < back.size(); ++i) {
        const ScriptEvent &x = back[i], &y = events[i];
        if (x.tick != y.tick || x.key != y.key || x.down != y.down || x.update != y.update ||
            x.joyX != y.joyX || x.joyY != y.joyY || x.joyButtons != y.joyButtons)
            __builtin_trap();
    }
    return 0;
}
