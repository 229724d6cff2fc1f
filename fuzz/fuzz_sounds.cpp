// Fuzzes the sound-effect collection reader and the wave chunk walk: any input either reads
// or is rejected with EWaveReadError, never a crash or an out-of-bounds read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "audio/collection.h"
#include "platform/mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> input(data, size);
    try {
        for (const TWaveEntry& e : ReadWaveCollection(input)) {
            if (e.Wave.empty()) continue;
            // The samples the device would be given must lie inside the wave.
            if (e.Info.DataPos + e.Info.DataSize > e.Wave.size()) __builtin_trap();
            const TWaveFormat& f = e.Info.Format;
            // The conversion treats every frame alike: a window of a few thousand bytes
            // (keeping the size's remainder for a partial last frame) covers it.
            const size_t window =
                e.Info.DataSize <= 4096 ? e.Info.DataSize : 4096 + e.Info.DataSize % 24;
            plat::SoundFrames out;
            plat::ConvertToOutput({f.FormatTag, f.Channels, f.SamplesPerSec, f.BitsPerSample},
                                  e.Wave.data() + e.Info.DataPos, window, out);
        }
    } catch (const EWaveReadError&) {
    }
    try {
        ParseWave(input);
    } catch (const EWaveReadError&) {
    }
    return 0;
}
