#pragma once
// Writing RIFF WAVE images and the sound-effect collection stream (se.dxw).
#include <cstdint>
#include <string>
#include <vector>

namespace zvtools {

// A RIFF WAVE image of 16-bit PCM samples ("fmt " then "data").
std::vector<uint8_t> MakeWaveImage(const std::vector<int16_t>& samples, uint16_t channels,
                                   uint32_t rate);

// One entry of a collection to write.
struct CollectionItem {
    std::string name;
    bool looped = false;
    int32_t maxPlayingCount = 0;
    std::vector<uint8_t> wave;  // a complete RIFF WAVE image
};

// The collection object stream: "TPF0", the TWaveCollectionComponent root, its "List"
// collection with one item per entry, the ends of the lists.
std::vector<uint8_t> WriteWaveCollection(const std::vector<CollectionItem>& items);

// Writes bytes to path through a temporary file and a rename; throws std::runtime_error.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace zvtools
