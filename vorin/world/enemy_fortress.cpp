// The fortress's working parts (sliding gun, turret, missile hatch, rotating part and the
// drones it sends) and the aimed turret.
#include <cstdint>

#include "world/enemy_kinds.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {
using namespace EnemyKind;

constexpr int32_t PartCycle = 600;  // the sliding gun's and the hatch's cycle, frames
constexpr int32_t MissileUp = 768;  // the hatch's missiles start heading up

void SlidingGunStep(TWorldObject& o) {
    const int32_t c = o.Age % PartCycle;
    if (c >= 300 && c <= 359) {  // slides out to the left
        o.Frame = (c >> 2) & 3;
        if (c % 3 == 0) o.FineX -= 1;
    } else if (c >= 360 && c <= 499) {  // fires
        o.Frame = (c >> 1) & 3;
        if (Every(o, 4, 0))
            FireBullet(o.X - 8, o.Y,
                       {.Kind = BulletKind::Needle, .Speed = 64, .Start = 8, .Angle = 512});
    } else if (c >= 500 && c <= 559) {  // slides back
        o.Frame = (c >> 2) & 3;
        if (c % 3 == 0) o.FineX += 1;
    }
}

void MissileHatchStep(TWorldObject& o) {
    const int32_t c = o.Age % PartCycle;
    if (c >= 300 && c <= 339) {
        o.Frame = (c - 300) / 10;
    } else if (c >= 360 && c <= 499) {
        o.Frame = 4;
        // The spawn keeps no param for a missile: it is given its heading (up) afterwards.
        if (Every(o, 50, 40)) Objects[SpawnObject(o.X, o.Y, HomingMissile, 0)].Param = MissileUp;
    } else if (c >= 520 && c <= 559) {
        o.Frame = 4 - (c - 520) / 10;
    } else {
        o.Frame = 0;
    }
}

constexpr int32_t RotatingRadius = 16;
constexpr int32_t RotatingShiftX = 4;
constexpr int32_t RotatingOffsetY = -35;
constexpr int32_t RotatingSpeed = 16;
constexpr int32_t DronePeriod = 180;  // with the slot number as phase
constexpr int32_t DroneRegA = 1;      // drones come while WorldRegA is 1

void RotatingPartStep(int32_t slot, TWorldObject& o) {
    o.FineX = PolarX(RotatingRadius, o.Param) + RotatingShiftX;
    o.FineY = RotatingOffsetY;
    o.Param = (o.Param + RotatingSpeed) & AngleMask;
    if (WorldRegA == DroneRegA && (o.Age + slot) % DronePeriod == 0) {
        SpawnObject(o.X, o.Y - 8, PartKind::Rocket, 0);
    }
}

constexpr int32_t DroneRiseUntil = 50;
constexpr int32_t DroneRise = 32;  // 2 pixels a frame

void DroneStep(TWorldObject& o) {
    if (o.Param == 0) {
        if (o.Age < DroneRiseUntil) {
            o.FineY -= DroneRise;
        } else {
            o.Param = 8 + random(16);  // its speed to the left
        }
    }
    if (o.Param != 0) {
        o.FineX -= o.Param;
        o.FineY += random(32) - 16;
        o.Frame = 1;
    }
}

constexpr int32_t AimedTurn = 8;
constexpr int32_t AimedMin = 512, AimedMax = 1016;  // it turns only at aims inside these

void AimedTurretStep(TWorldObject& o) {
    const int32_t d = AimOf(o);
    if (d < o.Aim && d > AimedMin) {
        o.Aim -= AimedTurn;
    } else if (d > o.Aim && d < AimedMax) {
        o.Aim += AimedTurn;
    }
    o.Frame = (o.Aim - 512) / 64;
    if (Every(o, 120, 15)) {
        FireBullet(
            o.X, o.Y,
            {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Start = 8, .Angle = o.Aim});
        FireBullet(o.X, o.Y,
                   {.Kind = BulletKind::Needle,
                    .Speed = 30,
                    .Class = 1,
                    .Look = 1,
                    .Start = 8,
                    .Angle = o.Aim - 16});
        FireBullet(o.X, o.Y,
                   {.Kind = BulletKind::Needle,
                    .Speed = 34,
                    .Class = 1,
                    .Look = 1,
                    .Start = 8,
                    .Angle = o.Aim + 16});
    }
}
}  // namespace

void FortressPartBehaviour(int32_t slot) {
    TWorldObject& o = Objects[slot];
    switch (o.Kind) {
        case PartKind::SlidingGun:
            SlidingGunStep(o);
            break;
        case PartKind::TankTurret:
            TurnWithin(o, UpwardMin, UpwardMax);
            o.Frame = (o.Param - 512) / 64;
            if (Every(o, 60, 0)) {
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::SpikedBall,
                            .Speed = 16,
                            .Look = 3,
                            .Start = 8,
                            .Angle = o.Param});
                FireFan(o.X, o.Y,
                        {.Kind = BulletKind::SpikedBall,
                         .Speed = 14,
                         .Class = 1,
                         .Look = 3,
                         .Start = 8,
                         .Angle = o.Param},
                        {.Step = 32, .Count = 3});
                FireFan(o.X, o.Y,
                        {.Kind = BulletKind::SpikedBall,
                         .Speed = 12,
                         .Class = 2,
                         .Look = 3,
                         .Start = 8,
                         .Angle = o.Param},
                        {.Step = 32, .Count = 5});
            }
            break;
        case PartKind::MissileHatch:
            MissileHatchStep(o);
            break;
        case PartKind::RotatingDish:
            RotatingPartStep(slot, o);
            break;
        case PartKind::Rocket:
            DroneStep(o);
            break;
        case BigFloorTurret:
            AimedTurretStep(o);
            break;
        default:
            break;
    }
}
