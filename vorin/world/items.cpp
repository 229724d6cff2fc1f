// The effects and items pass: every object's flash and age, then the moving items and the
// short-lived effects (vanishing flash, score pop-ups, explosions with their shoot-back).
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "zvrandom.h"

namespace {
// The power-up bounces inside this box until it is 600 frames old, then flies off.
constexpr int32_t PowerUpBounceFrames = 600;
constexpr int32_t PowerUpLeft = 16, PowerUpRight = 304, PowerUpTop = 16, PowerUpBottom = 224;
constexpr int32_t PowerUpMinSpeed = 8, PowerUpSpeedRange = 24;  // 8 + random(24)
constexpr int32_t PowerUpColourFrames = 64;                     // the colour changes this often
constexpr int32_t PowerUpColours = 3;

constexpr int32_t VanishFrames = 3;  // a vanishing flash lives while age <= 3
constexpr int32_t PopUpFrames = 60;  // a pop-up lives while age <= 60
constexpr int32_t SmallBlastFrames = 23;
constexpr int32_t LargeBlastFrames = 35;

int32_t BounceSpeed() {
    return PowerUpMinSpeed + random(PowerUpSpeedRange);
}

void PowerUp(TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    o.X = PixelTrunc(o.FineX);
    o.Y = PixelTrunc(o.FineY);
    if (o.Age < PowerUpBounceFrames) {
        if (o.X < PowerUpLeft) o.VelocityX = BounceSpeed();
        if (o.X > PowerUpRight) o.VelocityX = -BounceSpeed();
        if (o.Y < PowerUpTop) o.VelocityY = BounceSpeed();
        if (o.Y > PowerUpBottom) o.VelocityY = -BounceSpeed();
    }
    if (o.Age % PowerUpColourFrames == 0) o.Param = (o.Param + 1) % PowerUpColours;
}

void Explosion(int32_t slot, TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    o.X = PixelTrunc(o.FineX);
    o.Y = PixelTrunc(o.FineY);
    ShootBack(slot);
    const int32_t life = o.Kind == EffectKind::SmallExplosion ? SmallBlastFrames : LargeBlastFrames;
    if (o.Age <= life) return;
    // An explosion that carries a multiplier shows it as a pop-up.
    if (o.Param != 0) {
        ChangeKind(slot, EffectKind::MultiplierPopUp, o.Param);
    } else {
        o.Kind = KindFree;
    }
}
}  // namespace

void ItemPass() {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind == KindFree) continue;
        if (o.Flash > 0) o.Flash -= 1;
        o.Age += 1;
        switch (o.Kind) {
            case ItemKind::DriftingBonus:
                o.X -= 1;
                break;
            case ItemKind::PowerUp:
                PowerUp(o);
                break;
            case EffectKind::Vanish:
                if (o.Age > VanishFrames) o.Kind = KindFree;
                break;
            case EffectKind::ScorePopUp:
            case EffectKind::MultiplierPopUp:
                if (o.Age & 1) o.Y -= 1;
                if (o.Age > PopUpFrames) o.Kind = KindFree;
                break;
            case EffectKind::SmallExplosion:
            case EffectKind::LargeExplosion:
                Explosion(s, o);
                break;
            default:
                break;
        }
    }
}
