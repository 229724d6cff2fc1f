// Any text as a recorded play: parsing never crashes, and a file that parses writes back
// (header and events) into a text that parses to the same recording.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/recording.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TRecording r;
    std::string error;
    if (!ParseRecording(text, "1", r, error)) return 0;
    std::string again = RecordingHeader(r);
    for (const ScriptEvent& ev : r.Events) again += RecordingEventLine(ev) + "\n";
    if (r.End >= 0) again += "# end=" + std::to_string(r.End) + "\n";
    TRecording back;
    if (!ParseRecording(again, "1", back, error)) std::abort();
    if (back.Seed != r.Seed || !(back.Settings == r.Settings) || back.End != r.End ||
        back.Events.size() != r.Events.size() || back.PlayOptions != r.PlayOptions ||
        back.Joystick != r.Joystick)
        std::abort();
    for (size_t i = 0; i < r.Events.size(); ++i) {
        const ScriptEvent &a = r.Events[i], &b = back.Events[i];
        if (a.tick != b.tick || a.key != b.key || a.down != b.down || a.update != b.update ||
            a.joyX != b.joyX || a.joyY != b.joyY || a.joyButtons != b.joyButtons)
            std::abort();
    }
    return 0;
}
