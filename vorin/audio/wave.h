#pragma once
// RIFF WAVE images: the format record and where the samples lie.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

// A wave or collection stream that cannot be read; the message gives the reason.
class EWaveReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr uint16_t WaveFormatPcm = 1;    // integer samples
constexpr uint16_t WaveFormatFloat = 3;  // IEEE float samples
constexpr size_t WaveFormatMinSize = 16; // the fixed part of a format record

// The format record ("fmt " chunk), the leading fields of WAVEFORMATEX.
struct TWaveFormat {
    uint16_t FormatTag = 0;
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint32_t AvgBytesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
};

// Where the parts of one wave image lie; offsets into the image.
struct TWaveInfo {
    TWaveFormat Format;
    bool HasFormat = false;
    size_t DataPos = 0;   // first sample byte
    size_t DataSize = 0;  // sample bytes
};

// Walks the chunks of a wave image: "RIFF", size, "WAVE", then chunks until an id of zero
// or the end. Throws EWaveReadError ("Wave is invalid" for a wrong header; a format chunk
// that is too short or a chunk running past the end also fail).
TWaveInfo ParseWave(std::span<const uint8_t> image);
