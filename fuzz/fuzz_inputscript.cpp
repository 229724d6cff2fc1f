// Any text as a headless input script: parsed or refused with the line it stopped at, and
// what it accepts, written back out in the script's own words, reads back to the same events.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/options.h"

namespace {

// Every key name the script knows, to write an event back out.
std::string NameOfKey(int key) {
    static const char* const names[] = {"Up", "Down", "Left", "Right", "Shift", "Z",   "X",  "C",
                                        "1",  "2",    "3",    "F1",    "F2",    "F3",  "F4", "F5",
                                        "F6", "F7",   "F8",   "F9",    "F10",   "F11", "F12"};
    for (const char* n : names)
        if (KeyFromName(n) == key) return n;
    return "";
}

}  // namespace

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
        const std::string name = NameOfKey(e.key);
        if (name.empty()) __builtin_trap();
        again += std::to_string(e.tick) + " " + name + (e.down ? " down\n" : " up\n");
    }
    std::vector<ScriptEvent> back;
    if (!ParseInputScript(again, back, error) || back.size() != events.size()) __builtin_trap();
    for (size_t i = 0; i < back.size(); ++i) {
        if (back[i].tick != events[i].tick || back[i].key != events[i].key ||
            back[i].down != events[i].down)
            __builtin_trap();
    }
    return 0;
}
