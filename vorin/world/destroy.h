#pragma once
// Destruction: scoring a kill, explosions, death actions and the long dying sequence.
#include <cstdint>

// Destroys object slot, credited to ship-shot slot shotSlot (0 when it destroys itself).
void Destroy(int32_t slot, int32_t shotSlot);
// Detaches and blows up the object's attached parts, runs its death action and turns it
// into an explosion of the given kind with the sound effect.
void Explode(int32_t slot, int32_t explosionKind, int32_t sound);
// The kind's death action (power-up, spawn, world registers) at the object's position.
void DeathAction(int32_t slot);
// One frame of the dying sequence of an enemy in state 1 (behaviour pass).
void DyingSequence(int32_t slot);
// Explosion object in the lowest free slot of 64..256 (nothing when full); it carries the
// current shoot-back type when asked.
void MakeExplosion(int32_t x, int32_t y, int32_t kind, int32_t velocityX, int32_t velocityY,
                   bool shootBack);
