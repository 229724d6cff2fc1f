#pragma once
// The enemy kinds' own rules, by family, and the small helpers they share. Each function
// runs one frame of the object in its slot (behaviour pass, after parent following).
#include <cstdint>

#include "krdxlib/geometry.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/spawn.h"

// Enemy kinds with a rule of their own.
namespace EnemyKind {
constexpr int32_t Dart = 80;            // flies left, aimed shot
constexpr int32_t Sinker = 81;          // sinks in a saw-tooth
constexpr int32_t RearGunner = 82;      // fires backwards
constexpr int32_t CrossGunner = 83;     // fires up and down
constexpr int32_t TwinGunner = 84;      // a fast and a slow aimed shot
constexpr int32_t RingBurster = 86;     // one ring at age 120
constexpr int32_t HeavyGunship = 87;    // three aimed shots
constexpr int32_t Crawler = 88;         // walks right
constexpr int32_t FanSpinner = 89;      // two fans
constexpr int32_t CeilingGun = 90;      // trailing ray straight down
constexpr int32_t Missile = 91;         // homing missile
constexpr int32_t Launcher = 93;        // opens, then leaves right
constexpr int32_t DistantCarrier = 94;  // releases the hull before the boss
constexpr int32_t CarrierHull = 95;
constexpr int32_t SlidingGun = 100;  // fortress part
constexpr int32_t FortressTurret = 101;
constexpr int32_t MissileHatch = 102;
constexpr int32_t RotatingPart = 103;
constexpr int32_t Drone = 104;
constexpr int32_t Gate = 110;  // sends a cruiser every 1000 frames
constexpr int32_t SlowCruiser = 111;
constexpr int32_t GroundRunner = 112;
constexpr int32_t FloorTurret = 114;
constexpr int32_t RoofTurret = 115;
constexpr int32_t PathFollower = 116;
constexpr int32_t Mine = 126;
constexpr int32_t AimedTurret = 128;
constexpr int32_t Hopper = 129;
constexpr int32_t ThrownDebris = 134;
}  // namespace EnemyKind

// Air fighters and thrown things: 80..84, 86..89, 91, 126, 134.
void FighterBehaviour(int32_t slot);
// Ground and stage machinery: 90, 93..95, 110..112, 114..116.
void GroundBehaviour(int32_t slot);
// The fortress's parts and the aimed turret: 100..104, 128.
void FortressPartBehaviour(int32_t slot);
// The hopping gunship, 129.
void HopperBehaviour(int32_t slot);

// round(cos(angle) * scale) and round(sin(angle) * scale), ties to even.
inline int32_t CosTimes(int32_t angle, int32_t scale) {
    return RoundEven(static_cast<double>(CosTable[angle & AngleMask]) * scale);
}
inline int32_t SinTimes(int32_t angle, int32_t scale) {
    return RoundEven(static_cast<double>(SinTable[angle & AngleMask]) * scale);
}

// Every n frames at r: on the frames where age mod n = r.
inline bool Every(const TWorldObject& o, int32_t n, int32_t r) {
    return o.Age % n == r;
}

// One hell-scaled bullet with mode 0 from the object's position.
inline void Fire(const TWorldObject& o, int32_t kind, int32_t speed, int32_t cls, uint32_t look,
                 int32_t start, int32_t angle) {
    SpawnBullet(o.X, o.Y, 0, 0, true, cls, look, kind, speed, start, angle);
}

// The angle from the object to the first ship.
inline int32_t AimOf(const TWorldObject& o) {
    return AimAtShip(o.X, o.Y);
}

// Turret turning limits.
constexpr int32_t TurretTurn = 4;
constexpr int32_t RoofMin = 512, RoofMax = 1020;  // 101 and 115 look up and around
constexpr int32_t FloorMin = 0, FloorMax = 512;   // 114 looks down and around

// Turns param by 4 toward the aim within min..max (both tests on the param as it was).
inline void TurnWithin(TWorldObject& o, int32_t min, int32_t max) {
    const int32_t aim = AimOf(o);
    if (aim < o.Param && o.Param > min) {
        o.Param -= TurretTurn;
    } else if (aim > o.Param && o.Param < max) {
        o.Param += TurretTurn;
    }
}
