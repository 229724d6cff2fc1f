// Enemy bullet spawn with the difficulty classes and the hells, fans and cancelling.
#include "world/bullets.h"

#include "krdxlib/arith.h"
#include "krdxlib/geometry.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {
constexpr TBounds BulletBounds{-16, 336, -16, 256};
constexpr int32_t CopySpread = 13;   // X3-B: the copies fly this many angle steps aside
constexpr int32_t MedalSpeedX = 22;  // a cancelled bullet's medal: 22 + random(8)

// Halving as the rules do it: the unsigned value shifted right by one.
int32_t Half(int32_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) >> 1);
}
int32_t Quarter(int32_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) >> 2);
}

int32_t ScaledSpeed(int32_t speed) {
    switch (HellSpeed) {
        case SpeedHalf:
            return Half(speed);
        case SpeedOneAndHalf:
            return WrapAdd(speed, Half(speed));
        case SpeedX2:
            return WrapAdd(speed, speed);
        default:
            return speed;
    }
}

// A whole copy of the bullet in slot into the lowest free slot. X2 and X3-A write the
// search's result even when it found none (the spare slot, so the copy is lost); X3-B
// makes a copy only when a slot is free.
TWorldObject* CopyBullet(int32_t slot, bool onlyWhenFree) {
    const auto [copy, found] = FindFreeSlot(FirstWorldSlot, LastWorldSlot);
    if (!found && onlyWhenFree) return nullptr;
    Objects[copy] = Objects[slot];
    return &Objects[copy];
}
}  // namespace

void FireBullet(int32_t x, int32_t y, const TBullet& bullet) {
    const uint8_t setting = ClassSettings[bullet.Class & 3];
    if (setting == ClassOff) return;
    const auto [slot, found] = FindFreeSlot(FirstWorldSlot, LastWorldSlot);
    if (!found) return;
    TWorldObject& b = Objects[slot];
    if (bullet.Kind == BulletKind::Crystal || bullet.Kind == BulletKind::TrailCrystal) {
        b.FineX = FineOf(x);
        b.FineY = FineOf(y);
    } else {
        b.RayOriginX() = x;
        b.RayOriginY() = y;
        b.X = x;
        b.Y = y;
    }
    b.Bounds = BulletBounds;
    b.BulletAngle() = bullet.Angle & AngleMask;
    b.RayDistance() = bullet.Start;
    b.BulletMode() = bullet.Mode;
    b.BulletModeValue() = bullet.ModeValue;
    b.BulletSpeed() = bullet.Hells ? ScaledSpeed(bullet.Speed) : bullet.Speed;
    b.Kind = bullet.Kind;
    SetBulletLook(b, setting == ClassNormal ? bullet.Look : LookUnabsorbable);
    b.Age = 0;
    if (!bullet.Hells) return;

    const int32_t s = b.BulletSpeed();
    switch (HellDensity) {
        case DensityX3B:
            if (TWorldObject* c = CopyBullet(slot, true)) {
                c->BulletSpeed() = WrapSub(s, Quarter(s));
                c->BulletAngle() = (b.BulletAngle() - CopySpread) & AngleMask;
            }
            if (TWorldObject* c = CopyBullet(slot, true)) {
                c->BulletSpeed() = WrapSub(s, Quarter(s));
                c->BulletAngle() = (b.BulletAngle() + CopySpread) & AngleMask;
            }
            break;
        case DensityX2:
            CopyBullet(slot, false)->BulletSpeed() = WrapSub(s, Quarter(s));
            break;
        case DensityX3A:
            CopyBullet(slot, false)->BulletSpeed() = WrapSub(s, Quarter(s));
            CopyBullet(slot, false)->BulletSpeed() = WrapSub(s, Half(s));
            break;
        default:
            break;
    }
}

void FireFan(int32_t x, int32_t y, const TBullet& bullet, const TFan& fan) {
    TBullet b = bullet;
    for (int32_t o = 0; o < fan.Count; ++o) {
        b.Angle = bullet.Angle + fan.Step * o - (fan.Step * (fan.Count - 1)) / 2;
        FireBullet(x, y, b);
    }
}

int32_t AimAtShip(int32_t x, int32_t y) {
    return GetAngle(x, y, Players[0].X, Players[0].Y);
}

void CancelBullets(bool medals) {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind < KindFirstBullet || o.Kind > KindLastBullet) continue;
        if (medals) {
            o.Kind = ItemKind::Medal;
            o.FineX = FineOf(o.X);
            o.FineY = FineOf(o.Y);
            o.VelocityX = MedalSpeedX + random(8);
            o.VelocityY = random(9) - 4;
        } else {
            o.Kind = EffectKind::Vanish;
        }
        o.Age = 0;
        SetBulletLook(o, 0);
    }
}
