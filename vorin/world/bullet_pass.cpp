// The per-frame bullet pass and the shoot-back of explosions.
#include "world/bullets.h"
#include "world/passes.h"

void BulletPass() {}

void ShootBack(int32_t) {}
