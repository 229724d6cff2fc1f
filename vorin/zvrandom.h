#pragma once
// random(n): the one seedable generator of the whole game, so a seed and an input script
// replay a play exactly. A 32-bit linear congruential generator (multiplier 134775813).
#include <cstdint>

extern uint32_t RandSeed;  // generator state

void Randomize(uint32_t seed);
// A uniform integer 0..n-1; 0 when n <= 0.
int32_t random(int32_t n);
