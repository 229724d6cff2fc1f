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

void SpawnBullet(int32_t x, int32_t y, int32_t modeValue, int32_t mode, bool hellScaling,
                 int32_t cls, uint32_t look, int32_t kind, int32_t speed, int32_t start,
                 int32_t angle) {
    const uint8_t setting = ClassSettings[cls & 3];
    if (setting == ClassOff) return;
    const auto [slot, found] = FindFreeSlot(FirstWorldSlot, LastWorldSlot);
    if (!found) return;
    TWorldObject& b = Objects[slot];
    if (kind == BulletKind::Crystal || kind == BulletKind::TrailCrystal) {
        b.FineX = FineOf(x);
        b.FineY = FineOf(y);
    } else {
        b.VelocityX = x;  // the ray's origin
        b.VelocityY = y;
        b.X = x;
        b.Y = y;
    }
    b.Bounds = BulletBounds;
    b.Aim = angle & AngleMask;
    b.HitPoints = start;  // distance along the ray
    b.ExtraA = mode;
    b.ExtraB = modeValue;
    b.Frame = hellScaling ? ScaledSpeed(speed) : speed;
    b.Kind = kind;
    SetBulletLook(b, setting == ClassNormal ? look : LookUnabsorbable);
    b.Age = 0;
    if (!hellScaling) return;

    const int32_t s = b.Frame;
    switch (HellDensity) {
        case DensityX3B:
            if (TWorldObject* c = CopyBullet(slot, true)) {
                c->Frame = WrapSub(s, Quarter(s));
                c->Aim = (b.Aim - CopySpread) & AngleMask;
            }
            if (TWorldObject* c = CopyBullet(slot, true)) {
                c->Frame = WrapSub(s, Quarter(s));
                c->Aim = (b.Aim + CopySpread) & AngleMask;
            }
            break;
        case DensityX2:
            CopyBullet(slot, false)->Frame = WrapSub(s, Quarter(s));
            break;
        case DensityX3A:
            CopyBullet(slot, false)->Frame = WrapSub(s, Quarter(s));
            CopyBullet(slot, false)->Frame = WrapSub(s, Half(s));
            break;
        default:
            break;
    }
}

void Fan(int32_t x, int32_t y, int32_t cls, int32_t step, int32_t count, uint32_t look,
         int32_t kind, int32_t speed, int32_t start, int32_t centre) {
    for (int32_t o = 0; o < count; ++o) {
        const int32_t angle = centre + step * o - (step * (count - 1)) / 2;
        SpawnBullet(x, y, 0, 0, true, cls, look, kind, speed, start, angle);
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
