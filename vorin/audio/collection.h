#pragma once
// The sound-effect collection file (se.dxw): a typed object stream whose root object holds
// the "List" collection of wave entries.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "audio/wave.h"

// Value tags of the object stream.
namespace ValueTag {
constexpr uint8_t Null = 0;  // end of a list
constexpr uint8_t List = 1;
constexpr uint8_t Int8 = 2;
constexpr uint8_t Int16 = 3;
constexpr uint8_t Int32 = 4;
constexpr uint8_t String = 6;  // 1-byte length
constexpr uint8_t False = 8;
constexpr uint8_t True = 9;
constexpr uint8_t Binary = 10;  // 4-byte length
constexpr uint8_t LString = 12; // 4-byte length
constexpr uint8_t Collection = 14;
}  // namespace ValueTag

inline constexpr char CollectionSignature[] = "TPF0";
inline constexpr char CollectionClassName[] = "TWaveCollectionComponent";
constexpr uint8_t StreamFlagsPrefix = 0xF0;  // a first byte at or above this carries flags
constexpr uint8_t StreamFlagChildPos = 0x02; // an integer (the child position) follows

// One entry of the collection as read from the stream.
struct TWaveEntry {
    std::string Name;
    bool Looped = false;
    int32_t MaxPlayingCount = 0;  // 0 = no limit; negative values are read as 0
    std::vector<uint8_t> Wave;    // the complete RIFF WAVE image (empty when absent)
    TWaveInfo Info;               // its parsed layout (valid when Wave is not empty)
};

// Reads a whole collection stream. Throws EWaveReadError with the reason on anything it
// cannot read: a wrong signature or class, a truncated stream, an unknown property, a value
// of the wrong type, or a wave that is not valid.
std::vector<TWaveEntry> ReadWaveCollection(std::span<const uint8_t> stream);
