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

// One enemy bullet (and its density copies) in the lowest free slots of 64..256; nothing
// when its class is switched off or the table is full. Speeds in 1/16 pixel per frame.
void SpawnBullet(int32_t x, int32_t y, int32_t modeValue, int32_t mode, bool hellScaling,
                 int32_t cls, uint32_t look, int32_t kind, int32_t speed, int32_t start,
                 int32_t angle);
// count bullets centred on the centre angle, step apart (hell scaling on, mode 0).
void Fan(int32_t x, int32_t y, int32_t cls, int32_t step, int32_t count, uint32_t look,
         int32_t kind, int32_t speed, int32_t start, int32_t centre);
// The angle from (x, y) to the first ship.
int32_t AimAtShip(int32_t x, int32_t y);
// An explosion's shoot-back for this frame (effects pass, after it moved).
void ShootBack(int32_t slot);
