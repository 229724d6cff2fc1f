// The per-frame bullet pass (rays, free flights, homing bullets, trails, the bonus medal)
// and the shoot-back of explosions.
#include <cmath>
#include <cstdint>
#include <limits>

#include "krdxlib/geometry.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {
// A bullet is removed outside 0..320 by 0..240 (edges inside).
constexpr int32_t FieldRight = 320, FieldBottom = 240;
// Mode 0 bounces off these fine y values (about 4 and 237 pixels).
constexpr int32_t BounceTopFine = 64, BounceBottomFine = 3791;
// Mode 6 turns into an aimed ray past this fine x (about 317 pixels).
constexpr int32_t AimLateFineX = 5071;
constexpr int32_t CurvingFrames = 120;  // mode 7 curves this long
constexpr int32_t HomingFrames = 300;   // the homing bullet turns this long
constexpr int32_t HomingTurn = 8;
constexpr int32_t TrailSpacing = 128;   // a trail piece every 128 / speed frames...
constexpr int32_t TrailLife = 1024;     // ... living 1024 / speed frames
constexpr int32_t MedalEdgeFine = -15;  // a medal further left is removed

// Shoot-back.
constexpr int32_t ShootBackReach = 64;  // no shot back at a ship this close (square)
constexpr int32_t ShootBackSpeed = 32;
constexpr int32_t ShootBackLooks = 4;
constexpr int32_t SpreadShots = 4;  // TYPE-I: four bullets
constexpr int32_t SpreadSpeed = 24, SpreadSpeedRange = 16;
constexpr int32_t SpreadAngle = 64;     // TYPE-I: aim - 64 + random(128)
constexpr int32_t DirectionMask = 960;  // TYPE-S: the aim down to one of 16 directions

// Trail interval and lifetime: 128 / speed and 1024 / speed frames. A speed outside
// 1..128 (no trailing bullet the game fires has one) leaves no trail rather than dividing
// by zero.
bool TrailDue(const TWorldObject& b) {
    const int32_t speed = b.BulletSpeed();
    if (speed < 1 || speed > TrailSpacing) return false;
    return b.Age % (TrailSpacing / speed) == 0;
}

void LeaveTrail(const TWorldObject& b) {
    if (!TrailDue(b)) return;
    FireBullet(b.X, b.Y,
               {.Kind = BulletKind::TrailPiece,
                .Class = ClassShootBack,
                .Look = BulletLook(b),
                .Angle = b.BulletAngle(),
                .Mode = TrailLife / b.BulletSpeed(),
                .Hells = false});
}

// Removal outside the field, then the background test whether removed or not.
void LeaveOrHitWall(TWorldObject& b) {
    if (b.X < 0 || b.X > FieldRight || b.Y < 0 || b.Y > FieldBottom) b.Kind = KindFree;
    if (BackgroundSolid(b.X, b.Y)) {
        b.Kind = EffectKind::Vanish;
        b.Age = 0;
        SetBulletLook(b, 0);
    }
}

void Ray(TWorldObject& b) {
    b.RayDistance() = WrapAdd(b.RayDistance(), b.BulletSpeed());
    const int32_t d = PixelFloor(b.RayDistance());  // distance in pixels
    b.X = WrapAdd(RoundEvenOrLowest(d * CosOf(b.BulletAngle())), b.RayOriginX());
    b.Y = WrapAdd(RoundEvenOrLowest(d * SinOf(b.BulletAngle())), b.RayOriginY());
    if (b.Kind == BulletKind::TrailRay) LeaveTrail(b);
    LeaveOrHitWall(b);
}

void FreeFlight(TWorldObject& b) {
    b.FineX = WrapAdd(b.FineX, RoundEvenOrLowest(b.BulletSpeed() * CosOf(b.BulletAngle())));
    b.FineY = WrapAdd(b.FineY, RoundEvenOrLowest(b.BulletSpeed() * SinOf(b.BulletAngle())));
    b.X = PixelTrunc(b.FineX);
    b.Y = PixelTrunc(b.FineY);
    switch (b.BulletMode()) {
        case ModeBounce:
            if (b.FineY < BounceTopFine || b.FineY > BounceBottomFine) {
                b.BulletAngle() = (1024 - b.BulletAngle()) & AngleMask;
            }
            break;
        case ModeTurning: {
            const int32_t r = (AimAtShip(b.X, b.Y) - b.BulletAngle()) & AngleMask;
            if (r > 255 && r <= 320 && b.BulletModeValue() > 0) {
                b.BulletModeValue() -= 1;
                b.BulletAngle() = (b.BulletAngle() + 256) & AngleMask;
            }
            if (r > 703 && r <= 768 && b.BulletModeValue() > 0) {
                b.BulletModeValue() -= 1;
                b.BulletAngle() = (b.BulletAngle() - 256) & AngleMask;
            }
            break;
        }
        case ModeAimLate:
            if (b.FineX > AimLateFineX) {
                b.BulletAngle() = AimAtShip(b.X, b.Y);
                b.RayOriginX() = b.X;
                b.RayOriginY() = b.Y;
                b.RayDistance() = 0;
                b.Kind = BulletKind::TrailRay;
            }
            break;
        case ModeCurving:
            if (b.Age < CurvingFrames)
                b.BulletAngle() = (b.BulletAngle() + b.BulletModeValue()) & AngleMask;
            break;
        default:
            break;
    }
    LeaveOrHitWall(b);
    if (b.Kind == BulletKind::TrailCrystal) LeaveTrail(b);
}

void Homing(TWorldObject& b) {
    b.X = WrapAdd(b.X, RoundEvenOrLowest(PixelExact(b.BulletSpeed()) * CosOf(b.BulletAngle())));
    b.Y = WrapAdd(b.Y, RoundEvenOrLowest(PixelExact(b.BulletSpeed()) * SinOf(b.BulletAngle())));
    if (b.Age < HomingFrames)
        b.BulletAngle() = TurnAngle(b.BulletAngle(), AimAtShip(b.X, b.Y), HomingTurn);
    LeaveTrail(b);
    LeaveOrHitWall(b);
}

void Medal(TWorldObject& m) {
    const bool gone = m.FineX < MedalEdgeFine;
    m.X = PixelTrunc(m.FineX);
    m.Y = PixelTrunc(m.FineY);
    m.FineX = m.FineX + m.VelocityX - 1;  // it speeds up to the left
    m.VelocityX -= 1;
    m.FineY += m.VelocityY;
    if (gone) m.Kind = KindFree;
}
}  // namespace

void BulletPass() {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        switch (o.Kind) {
            case BulletKind::SmallBall:
            case BulletKind::SpikedBall:
            case BulletKind::Needle:
            case BulletKind::LargeBall:
            case BulletKind::Streak:
            case BulletKind::SpareRayA:
            case BulletKind::SpareRayB:
            case BulletKind::TrailRay:
                Ray(o);
                break;
            case BulletKind::Crystal:
            case BulletKind::TrailCrystal:
                FreeFlight(o);
                break;
            case BulletKind::Homing:
                Homing(o);
                break;
            case BulletKind::OldTrailPiece:
            case BulletKind::TrailPiece:
                if (o.Age > o.BulletMode()) o.Kind = KindFree;  // its lifetime
                break;
            case ItemKind::Medal:
                Medal(o);
                break;
            default:
                break;
        }
    }
}

void ShootBack(int32_t slot) {
    const TWorldObject& e = Objects[slot];
    const TPlayer& ship = Players[0];
    if (ship.X >= e.X - ShootBackReach && ship.X < e.X + ShootBackReach &&
        ship.Y >= e.Y - ShootBackReach && ship.Y < e.Y + ShootBackReach) {
        return;
    }
    switch (e.Parent) {
        case ShootBackM:
            if (e.Age == 1) {
                const uint32_t look = random(ShootBackLooks);
                FireBullet(e.X, e.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = ShootBackSpeed,
                            .Class = ClassShootBack,
                            .Look = look,
                            .Angle = AimAtShip(e.X, e.Y),
                            .Hells = false});
            }
            break;
        case ShootBackS:
            if ((e.Age & 7) == 1) {
                const uint32_t look = random(ShootBackLooks);
                FireBullet(e.X, e.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = ShootBackSpeed,
                            .Class = ClassShootBack,
                            .Look = look,
                            .Angle = AimAtShip(e.X, e.Y) & DirectionMask,
                            .Hells = false});
            }
            break;
        case ShootBackI:
            if (e.Age == 1) {
                for (int32_t i = 0; i < SpreadShots; ++i) {
                    const uint32_t look = random(ShootBackLooks);
                    const int32_t speed = SpreadSpeed + random(SpreadSpeedRange);
                    const int32_t angle =
                        AimAtShip(e.X, e.Y) - SpreadAngle + random(2 * SpreadAngle);
                    FireBullet(e.X, e.Y,
                               {.Kind = BulletKind::SmallBall,
                                .Speed = speed,
                                .Class = ClassShootBack,
                                .Look = look,
                                .Angle = angle,
                                .Hells = false});
                }
            }
            break;
        default:
            break;
    }
}
