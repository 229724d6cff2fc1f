#pragma once
// Damaged copies of data files: cut short, bytes changed, or both, described so a failure
// message can say exactly which damage broke a reader.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace reliab {

using Bytes = std::vector<uint8_t>;

struct TDamage {
    size_t Cut = SIZE_MAX;                          // keep this many bytes (SIZE_MAX: all)
    std::vector<std::pair<size_t, uint8_t>> Bytes;  // offset, new value (before the cut)
};

Bytes Apply(const Bytes& original, const TDamage& damage);
std::string Describe(const TDamage& damage);

// Every cut from 0 to `every` bytes, then cuts `stride` apart up to the whole file.
std::vector<TDamage> Cuts(size_t size, size_t every, size_t stride);
// `count` damages of 1 to 4 random bytes each inside the first `region` bytes, a third of
// them also cut at a random length; the same for the same seed.
std::vector<TDamage> RandomBytes(size_t size, size_t region, int count, uint32_t seed);

// The build's generated data file.
Bytes GeneratedFile(const std::string& name);
Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
// A fresh empty folder under the temporary directory, removed when the test process ends.
std::string ScratchFolder(const std::string& label);

}  // namespace reliab
