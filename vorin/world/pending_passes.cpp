// Stand-ins for the passes that the enemy, bullet, collision and boss code will fill: each
// does nothing yet, so a stage runs with its clock, scroll, timeline and ship alone.
#include "world/objects.h"
#include "world/passes.h"
#include "zvrandom.h"

void ContactPass() {}
void ItemPass() {}
void BehaviourPass() {}
void BulletPass() {}

// Already the whole rule, here until the bullet code takes it over: a new life clears the
// screen of bullets with it.
void CancelBullets(bool medals) {
    constexpr int32_t MedalSpeedX = 22;  // 22 + random(8)
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind < KindFirstBullet || o.Kind > KindLastBullet) continue;
        if (medals) {
            o.Kind = KindMedal;
            o.FineX = o.X * 16;
            o.FineY = o.Y * 16;
            o.VelocityX = MedalSpeedX + random(8);
            o.VelocityY = random(9) - 4;
        } else {
            o.Kind = KindVanish;
        }
        o.Age = 0;
        o.State = o.ContactKind = o.ShotResponse = o.StatePad = 0;  // the look, all four bytes
    }
}

void BuildFortressParts(int32_t) {}
void BuildTrailBody(int32_t) {}
void BuildBossChains(int32_t) {}
