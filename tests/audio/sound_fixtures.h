#pragma once
// Small building blocks for the sound tests: wave images and collection streams.
#include <cstdint>
#include <string>
#include <vector>

#include "common/wavefile.h"

namespace sndtest {

// 16-bit mono samples of a ramp, n long.
std::vector<int16_t> Ramp(size_t n);
// A 16-bit mono wave of n frames at rate.
std::vector<uint8_t> MonoWave(size_t frames, uint32_t rate);
// A collection item with a wave of the given length in milliseconds at 22050 Hz.
zvtools::CollectionItem Item(const std::string& name, int32_t maximum, bool looped = false,
                             uint32_t ms = 100);

// Byte-level stream building, for streams the writer would never produce.
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& Raw(const std::string& s);
    Bytes& U8(uint8_t b);
    Bytes& U16(uint16_t x);
    Bytes& U32(uint32_t x);
    Bytes& Short(const std::string& s);  // length byte and characters
    Bytes& Append(const std::vector<uint8_t>& more);
};

// The stream header up to and including the "List" property's collection tag.
Bytes CollectionHead();
// The ends after the last item: end of collection, of the root's properties, no children.
Bytes& CollectionTail(Bytes& b);

}  // namespace sndtest
