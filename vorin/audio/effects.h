#pragma once
// Sound effects, asked for by their index 0..7.
#include <cstdint>

// Plays effect index (0..7) from the effect collection; out-of-range indices do nothing.
void PlayEffect(int32_t index);
