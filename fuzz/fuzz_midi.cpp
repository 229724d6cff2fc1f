// Fuzzes the Standard MIDI File loader: any byte string either loads into a well-formed song or
// is rejected, never read past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so AddressSanitizer catches a read one past the end.
    std::vector<uint8_t> image(data, data + size);
    ronvalet::Song song;
    ronvalet::Tempo tempo;
    if (!ronvalet::parseSmf(image.data(), image.size(), song, tempo)) return 0;
    if (song.events.empty() || song.events.back().kind != ronvalet::kKindEndMark) std::abort();
    uint32_t previous = 0;
    for (const ronvalet::Event& e : song.events) {
        if (e.kind == ronvalet::kKindEndMark && &e != &song.events.back()) std::abort();
        if (e.time < previous) std::abort();  // milliseconds never go back
        previous = e.time;
        if (ronvalet::isSysex(e)) {
            if (e.data > song.bytes.size() || song.sysexSize(e) > song.bytes.size() - e.data) {
                std::abort();
            }
        }
    }
    return 0;
}
