#pragma once
// The boss programs (entry, movement, attack phases, time-out); the set-ups at spawn are
// declared in world/passes.h.
#include <cstdint>

// One frame of the boss in slot (kinds 192 and above) and of its chains or body.
void BossBehaviour(int32_t slot);
