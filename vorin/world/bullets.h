#pragma once
// Enemy bullets: the one spawn every firing enemy calls (difficulty classes, the speed and
// density hells), fans, cancelling, the per-frame bullet pass and the shoot-back of
// explosions.
#include <cstdint>

#include "world/kinds.h"

// Free-flight modes (the crystals).
constexpr int32_t ModeBounce = 0;
constexpr int32_t ModeTurning = 1;
constexpr int32_t ModeAimLate = 6;
constexpr int32_t ModeCurving = 7;

// Bullet classes and their settings.
constexpr int32_t ClassShootBack = 3;  // shoot-back and a few boss attacks
constexpr uint8_t ClassOff = 0;        // "X": not fired
constexpr uint8_t ClassNormal = 1;     // "N"
constexpr uint8_t ClassPiercing = 2;   // "P": fired with look 8
constexpr uint32_t LookUnabsorbable = 8;

// Hell settings.
constexpr int32_t DensityX1 = 0, DensityX2 = 1, DensityX3A = 2, DensityX3B = 3;
constexpr int32_t SpeedX1 = 0, SpeedHalf = 1, SpeedOneAndHalf = 2, SpeedX2 = 3;
constexpr int32_t ShootBackOff = 0, ShootBackM = 1, ShootBackS = 2, ShootBackI = 3;

// What an enemy bullet is, everything but where it starts. Written with designated
// initialisers; a field left out takes the value below.
struct TBullet {
    int32_t Kind = BulletKind::SmallBall;
    int32_t Speed = 0;          // 1/16 pixel per frame, before the speed hell
    int32_t Class = 0;          // difficulty class 0..3: whether it is fired, and absorbable
    uint32_t Look = 0;          // picture variant 0..3, or LookUnabsorbable
    int32_t Start = 0;          // distance along its ray it starts at, 1/16 pixel
    int32_t Angle = 0;          // heading, any integer (taken modulo a turn)
    int32_t Mode = ModeBounce;  // a crystal's extra behaviour; a trail piece's lifetime
    int32_t ModeValue = 0;      // what goes with the mode: turns left, or the curving step
    bool Hells = true;          // the speed and density hells apply to it
};

// How a fan spreads: Count bullets Step apart, centred on the bullet's angle (with an even
// count no bullet flies at the centre itself).
struct TFan {
    int32_t Step = 0;
    int32_t Count = 0;
};

// Fires one enemy bullet from pixel (x, y) into the lowest free slot of 64..256, with its
// density copies when the hells apply; nothing when its class is switched off or the table
// is full.
void FireBullet(int32_t x, int32_t y, const TBullet& bullet);
// Fires a fan of the bullet, each at its own angle about the bullet's angle.
void FireFan(int32_t x, int32_t y, const TBullet& bullet, const TFan& fan);
// The angle from (x, y) to the first ship.
int32_t AimAtShip(int32_t x, int32_t y);
// An explosion's shoot-back for this frame (effects pass, after it moved).
void ShootBack(int32_t slot);
