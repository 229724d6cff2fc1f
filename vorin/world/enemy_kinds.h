#pragma once
// The enemy kinds' own rules, by family, and the small helpers they share. Each function
// runs one frame of the object in its slot (behaviour pass, after parent following).
#include <cstdint>

#include "krdxlib/arith.h"
#include "krdxlib/geometry.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/spawn.h"

// Air craft, the homing missile, the mine and the canister.
void FighterBehaviour(int32_t slot);
// Ground and stage machinery: the ceiling gun, launcher, carrier and boat, the cruiser gate
// and its cruisers, the transport, the two turrets and the path dart.
void GroundBehaviour(int32_t slot);
// The heavy tank's working parts, its rockets and the big floor turret.
void FortressPartBehaviour(int32_t slot);
// The hopping gunship.
void HopperBehaviour(int32_t slot);

// Every n frames at r: on the frames where age mod n = r.
inline bool Every(const TWorldObject& o, int32_t n, int32_t r) {
    return o.Age % n == r;
}

// The angle from the object to the first ship.
inline int32_t AimOf(const TWorldObject& o) {
    return AimAtShip(o.X, o.Y);
}

// Turret turning limits.
constexpr int32_t TurretTurn = 4;
constexpr int32_t UpwardMin = 512, UpwardMax = 1020;   // the tank's and the floor turret
constexpr int32_t DownwardMin = 0, DownwardMax = 512;  // the ceiling turret

// Turns param by 4 toward the aim within min..max (both tests on the param as it was).
inline void TurnWithin(TWorldObject& o, int32_t min, int32_t max) {
    const int32_t aim = AimOf(o);
    if (aim < o.Param && o.Param > min) {
        o.Param -= TurretTurn;
    } else if (aim > o.Param && o.Param < max) {
        o.Param += TurretTurn;
    }
}
