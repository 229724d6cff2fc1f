// Destroy, Explode, death actions and the dying sequence.
#include "world/destroy.h"

#include "world/objects.h"
#include "world/state.h"

void Destroy(int32_t, int32_t) {}
void Explode(int32_t, int32_t, int32_t) {}
void DeathAction(int32_t) {}
void DyingSequence(int32_t) {}

void MakeExplosion(int32_t x, int32_t y, int32_t kind, int32_t velocityX, int32_t velocityY,
                   bool shootBack) {
    const auto [slot, found] = FindFreeSlot(FirstWorldSlot, LastWorldSlot);
    if (!found) return;
    TWorldObject& o = Objects[slot];
    o.FineX = x * 16;
    o.FineY = y * 16;
    o.X = x;
    o.Y = y;
    o.VelocityX = velocityX;
    o.VelocityY = velocityY;
    o.Kind = kind;
    o.Param = 0;
    o.Age = 0;
    o.Parent = shootBack ? ShootBackType : 0;
}
