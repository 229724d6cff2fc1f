#pragma once
// Enemy behaviour: the common steps of the behaviour pass and each enemy kind's rule.
#include <cstdint>

// The kind's own movement and firing for one frame (kinds 80..191).
void EnemyBehaviour(int32_t slot);
