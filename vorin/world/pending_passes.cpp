// Stand-ins for the passes that the ship, enemy, bullet, collision and boss code will fill:
// each does nothing yet, so a stage runs with its clock, scroll and timeline alone.
#include "world/objects.h"
#include "world/passes.h"

void ContactPass() {}
void ShipUpdate(int32_t) {}
void ShipShotPass() {}
void ItemPass() {}
void BehaviourPass() {}
void BulletPass() {}

// Only the entry set-up of a new life; the ship code owns the rest.
void NewLife(int32_t index) {
    TPlayer& p = Players[index];
    p.Volleys = 0;
    p.ShipState = ShipEntering;
    p.StateFrames = 0;
    p.OriginX = 80;
    p.OriginY = 80 + 80 * index;
    p.Multiplier = 1;
    p.HeldObject = -1;
    p.AnchorHeading = 0;
    p.AnchorX = p.X;
    p.AnchorY = p.Y;
    p.OrbitAngle = 0;
    p.AnchorState = 0;
    p.AnchorLock = 0;
    p.FireFrames = 0;
    p.MainCooldown = p.AnchorCooldown = 0;
    p.ChargeA = p.ChargeB = 0;
    p.Invulnerable = 600;
}

void BuildFortressParts(int32_t) {}
void BuildTrailBody(int32_t) {}
void BuildBossChains(int32_t) {}
