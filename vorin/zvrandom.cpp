#include "zvrandom.h"

uint32_t RandSeed = 0;

void Randomize(uint32_t seed) { RandSeed = seed; }

int32_t random(int32_t n) {
    RandSeed = RandSeed * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(n)) >> 32);
}
