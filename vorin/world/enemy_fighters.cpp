// Air fighters and thrown things: their movement and volleys.
#include <cstdint>

#include "world/destroy.h"
#include "world/enemy_kinds.h"

namespace {
using namespace EnemyKind;

constexpr int32_t MissileSpeed = 48;       // 1/16 pixel per frame
constexpr int32_t MissileTurn = 8;         // angle steps per frame
constexpr int32_t MissileHomingAge = 600;  // it stops turning after this
constexpr int32_t RingAge = 120;           // the ring burster fires at this age only
constexpr int32_t RingCount = 16;
constexpr int32_t RingStep = 64;

// Mine edges: it bursts at x <= 3, x >= 317, y < 4 or y > 236.
constexpr int32_t MineLeft = 3, MineRight = 317, MineTop = 4, MineBottom = 236;
constexpr int32_t MineSpread = 128;  // the burst's side bullets, either side of the centre

void HomingMissileStep(TWorldObject& o) {
    o.FineX += PolarX(MissileSpeed, o.Param);
    o.FineY += PolarY(MissileSpeed, o.Param);
    if (o.Age < MissileHomingAge) {
        const int32_t d = (AimOf(o) - o.Param) & AngleMask;
        if (d != 0) o.Param = (o.Param + (d <= 512 ? MissileTurn : -MissileTurn)) & AngleMask;
    }
    // Unsigned shifts: past the left or top edge the coordinate becomes huge and the bounds
    // remove the missile in the same frame.
    o.X = PixelUnsigned(o.FineX);
    o.Y = PixelUnsigned(o.FineY);
    o.Frame = ((o.Param + 32) >> 6) & 15;
}

void MineStep(int32_t slot, TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    int32_t b;  // the burst's centre: away from the edge it reached
    if (o.X <= MineLeft) {
        b = 0;
    } else if (o.X >= MineRight) {
        b = 512;
    } else if (o.Y < MineTop) {
        b = 256;
    } else if (o.Y > MineBottom) {
        b = 768;
    } else {
        return;
    }
    FireBullet(o.X, o.Y,
               {.Kind = BulletKind::LargeBall, .Speed = 32, .Look = 1, .Angle = b - MineSpread});
    FireBullet(o.X, o.Y, {.Kind = BulletKind::LargeBall, .Speed = 32, .Look = 1, .Angle = b});
    FireBullet(o.X, o.Y,
               {.Kind = BulletKind::LargeBall, .Speed = 32, .Look = 1, .Angle = b + MineSpread});
    Destroy(slot, 0);
}
}  // namespace

void FighterBehaviour(int32_t slot) {
    TWorldObject& o = Objects[slot];
    switch (o.Kind) {
        case Dart:
            o.X -= 2;
            if (Every(o, 60, 0))
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::SmallBall, .Speed = 16, .Look = 1, .Angle = AimOf(o)});
            break;
        case Sinker:
            o.X -= 1;
            o.Y += PolarX(2, o.Age & 255);
            if (Every(o, 60, 0))
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Angle = 512});
            break;
        case RearGunner:
            o.X -= 1;
            if (Every(o, 12, 0))
                FireBullet(o.X, o.Y, {.Kind = BulletKind::SpikedBall, .Speed = 32});
            break;
        case CrossGunner:
            o.X -= 1;
            if (Every(o, 60, 0)) {
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall, .Speed = 24, .Look = 3, .Angle = 256});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall, .Speed = 24, .Look = 3, .Angle = 768});
            }
            break;
        case TwinGunner:
            o.X -= 1;
            if (Every(o, 40, 0)) {
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall, .Speed = 48, .Angle = AimOf(o)});
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::LargeBall, .Speed = 16, .Look = 2, .Angle = AimOf(o)});
            }
            break;
        case RingBurster:
            o.X -= 1;
            if (o.Age == RingAge) {
                for (int32_t i = 0; i < RingCount; ++i)
                    FireBullet(o.X, o.Y,
                               {.Kind = BulletKind::Needle, .Speed = 24, .Angle = RingStep * i});
            }
            break;
        case RotorGunship:
            o.X -= 1;
            if (Every(o, 120, 0)) {
                const int32_t aim = AimOf(o);
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Angle = aim + 64});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Angle = aim - 64});
            }
            break;
        case GroundStructure:
            o.X += 1;
            break;
        case BigGunboat:
            if (o.Age & 1) o.X += 1;
            if (Every(o, 120, 60)) {
                FireFan(o.X, o.Y, {.Kind = BulletKind::Needle, .Speed = 24},
                        {.Step = 128, .Count = 8});
                FireFan(o.X, o.Y,
                        {.Kind = BulletKind::Needle, .Speed = 24, .Class = 1, .Angle = 64},
                        {.Step = 128, .Count = 8});
            }
            break;
        case HomingMissile:
            HomingMissileStep(o);
            break;
        case Mine:
            MineStep(slot, o);
            break;
        case ThrownCanister:
            o.FineX += 4;
            o.FineY += 2 * o.Age - 8;
            break;
        default:
            break;
    }
}
