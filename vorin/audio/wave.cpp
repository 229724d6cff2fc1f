#include "audio/wave.h"

#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr size_t RiffHeaderSize = 12;
constexpr size_t ChunkHeaderSize = 8;

}  // namespace

TWaveInfo ParseWave(std::span<const uint8_t> image) {
    if (image.size() < RiffHeaderSize || std::memcmp(image.data(), "RIFF", 4) != 0 ||
        std::memcmp(image.data() + 8, "WAVE", 4) != 0) {
        throw EWaveReadError("Wave is invalid");
    }
    TWaveInfo info;
    size_t pos = RiffHeaderSize;
    // A header that cannot be read whole counts as an id of zero and ends the walk.
    while (image.size() - pos >= ChunkHeaderSize) {
        const uint8_t* header = image.data() + pos;
        if (Le32(header) == 0) break;
        const size_t size = Le32(header + 4);
        pos += ChunkHeaderSize;
        const size_t left = image.size() - pos;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size > left) throw EWaveReadError("wave format chunk runs past the end");
            if (size < WaveFormatMinSize) throw EWaveReadError("wave format chunk is too short");
            const uint8_t* f = image.data() + pos;
            info.Format.FormatTag = Le16(f);
            info.Format.Channels = Le16(f + 2);
            info.Format.SamplesPerSec = Le32(f + 4);
            info.Format.AvgBytesPerSec = Le32(f + 8);
            info.Format.BlockAlign = Le16(f + 12);
            info.Format.BitsPerSample = Le16(f + 14);
            info.HasFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            // The samples are used in place later, so they must lie inside the image.
            if (size > left) throw EWaveReadError("wave data runs past the end");
            info.DataPos = pos;
            info.DataSize = size;
        }
        // Sizes are used as they stand (odd sizes are not padded); past the end stops the walk.
        if (size >= left) break;
        pos += size;
    }
    if (!info.HasFormat) throw EWaveReadError("wave has no format chunk");
    return info;
}
