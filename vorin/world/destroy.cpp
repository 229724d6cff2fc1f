// Destroy, Explode, death actions and the dying sequence.
#include "world/destroy.h"

#include "base/sounds.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/ship.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/step.h"
#include "zvrandom.h"

namespace {
constexpr int32_t MaxMultiplier = 10;
constexpr TBounds ExplosionBounds{-1280, 1600, -960, 1200};  // never the reason it ends
constexpr int32_t BossDeathTime = 300;                       // frames of a boss's dying sequence
constexpr int32_t LongDeathTime = 120;                       // death kind 3

constexpr int32_t PowerUpColours = 3;
constexpr int32_t PowerUpSpeedRange = 65;  // velocity random(65) - 32 ...
constexpr int32_t PowerUpSpeedMin = 16;    // ... drawn again while within -16..16

// Dying sequence.
constexpr int32_t DyingBlastEvery = 6;  // a large explosion every 6 frames
constexpr int32_t DyingBlastSpread = 65;
constexpr int32_t DyingSoundEvery = 30;
constexpr int32_t DebrisSpeedRange = 129;
constexpr int32_t FinalBlasts = 16;  // spread 64 angle steps apart
constexpr int32_t FinalBlastStep = 64;
constexpr int32_t FinalBlastSpeed = 32;

bool IsAnchorAttack(int32_t shotKind) {
    switch (shotKind) {
        case ShotKind::Trail:
        case ShotKind::HeldAnchor:
        case ShotKind::PlasmaSmall:
        case ShotKind::PlasmaMedium:
        case ShotKind::PlasmaLarge:
            return true;
        default:
            return false;
    }
}

// Every enemy attached to the slot stops acting (its parent dies slowly).
void PartsGoInert(int32_t slot) {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Parent == slot && o.Kind >= KindFirstEnemy) o.State = StateInert;
    }
}

// Every enemy attached to the slot is detached, removed and replaced by a large explosion.
void BlowUpParts(int32_t slot) {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Parent != slot || o.Kind < KindFirstEnemy) continue;
        o.Parent = -1;
        o.Kind = KindFree;
        MakeExplosion(o.X, o.Y, EffectKind::LargeExplosion, 0, 0, false);
    }
}

// A velocity component of a released power-up: random(65) - 32.
int32_t PowerUpSpeed() {
    return random(PowerUpSpeedRange) - PowerUpSpeedRange / 2;
}

bool Slow(int32_t v) {
    return v >= -PowerUpSpeedMin && v <= PowerUpSpeedMin;
}
}  // namespace

void Destroy(int32_t slot, int32_t shotSlot) {
    if (shotSlot < FirstShotSlot || shotSlot > LastShotSlot) shotSlot = FirstShotSlot;
    TWorldObject& o = Objects[slot];
    const TEnemyType& type = TypeOf(o.Kind);
    Stats.ShootDownCount += 1;

    const bool anchorKill = IsAnchorAttack(Objects[shotSlot].Kind);
    TPlayer& p = Players[shotSlot / ShotSlotsPerShip];
    int32_t used = 1;  // the multiplier the kill paid with
    if (anchorKill) {
        used = p.Multiplier;
        AddScore(p, int64_t{type.Score} * used);
        if (Stats.MaxMultiplier < used) Stats.MaxMultiplier = used;
        Stats.MultiplierSum += used;
        if (p.Multiplier < MaxMultiplier) p.Multiplier += 1;
    } else {
        AddScore(p, type.Score);
        Stats.MultiplierSum += 1;
    }

    if (type.BossFlag) {
        StagePhase = PhaseCleared;
        CancelBullets(anchorKill);
        StageClock = 0;
        o.DeathTime = BossDeathTime;
        o.State = StateDying;
        PartsGoInert(slot);
        o.Param = used;
    } else {
        switch (type.DeathKind) {
            case DeathSmall:
                Explode(slot, EffectKind::SmallExplosion, Sfx::Explosion);
                break;
            case DeathLarge:
                Explode(slot, EffectKind::LargeExplosion, Sfx::Explosion);
                break;
            case DeathLong:
                o.DeathTime = LongDeathTime;
                CancelBullets(anchorKill);
                o.State = StateDying;
                PartsGoInert(slot);
                break;
            default:
                break;  // stays, hit points at or below 0: every further hit destroys it again
        }
        o.Param = used;
        o.Parent = ShootBackType;
        o.VelocityX = o.VelocityY = 0;
    }
    o.Age = 0;
}

void Explode(int32_t slot, int32_t explosionKind, int32_t sound) {
    BlowUpParts(slot);
    DeathAction(slot);
    TWorldObject& o = Objects[slot];
    o.Kind = explosionKind;
    o.FineX = FineOf(o.X);
    o.FineY = FineOf(o.Y);
    o.VelocityX = o.VelocityY = 0;
    CueSound(sound);
}

void DeathAction(int32_t slot) {
    const TWorldObject& o = Objects[slot];
    const TEnemyType& type = TypeOf(o.Kind);
    switch (type.DeathAction) {
        case ActionItem: {
            // The released kind's record gives the item its box, layer and bounds.
            TWorldObject& item = Objects[SpawnObject(o.X, o.Y, type.DeathValue, 0)];
            item.Kind = ItemKind::PowerUp;
            item.Param = random(PowerUpColours);
            item.FineX = FineOf(item.X);
            item.FineY = FineOf(item.Y);
            do {
                item.VelocityX = PowerUpSpeed();
                item.VelocityY = PowerUpSpeed();
            } while (Slow(item.VelocityX) || Slow(item.VelocityY));
            break;
        }
        case ActionSpawn:
            SpawnObject(o.X, o.Y, type.DeathValue, 0);
            break;
        case ActionSetRegA:
            WorldRegA = type.DeathValue;
            break;
        case ActionSetRegB:
            WorldRegB = type.DeathValue;
            break;
        default:
            break;
    }
}

void DyingSequence(int32_t slot) {
    TWorldObject& o = Objects[slot];
    if (o.Age % DyingBlastEvery == 0) {
        const int32_t x = o.X + random(DyingBlastSpread) - DyingBlastSpread / 2;  // x first
        const int32_t y = o.Y + random(DyingBlastSpread) - DyingBlastSpread / 2;
        const bool shootBack = o.Kind >= KindFirstBoss || ((o.Age / DyingBlastEvery) & 3) == 0;
        MakeExplosion(x, y, EffectKind::LargeExplosion, 0, 0, shootBack);
    }
    if (o.Age % DyingSoundEvery == 0) CueSound(Sfx::Explosion);
    if (o.Age % 2 != 0) {
        const int32_t vx = random(DebrisSpeedRange) - DebrisSpeedRange / 2;  // x first
        const int32_t vy = random(DebrisSpeedRange) - DebrisSpeedRange / 2;
        SpawnEffect(o.X, o.Y, vx, vy, ParticleKind::Debris);
    }
    if (o.Age <= o.DeathTime) return;

    BlowUpParts(slot);
    DeathAction(slot);
    o.Kind = EffectKind::LargeExplosion;
    o.FineX = FineOf(o.X);
    o.FineY = FineOf(o.Y);
    o.VelocityX = o.VelocityY = 0;
    o.Age = 0;
    o.State = StateActive;
    o.Parent = ShootBackType;
    CueSound(Sfx::Explosion2);
    ClockHold = (ClockHold == ClockHeld && LoopLength != NoLoop) ? ClockReleaseAtWrap : ClockRuns;
    for (int32_t i = 0; i < FinalBlasts; ++i) {
        const int32_t a = i * FinalBlastStep;
        MakeExplosion(o.X, o.Y, EffectKind::LargeExplosion, PolarX(FinalBlastSpeed, a),
                      PolarY(FinalBlastSpeed, a), false);
    }
    if (StagePhase == PhaseCleared) CueSong(0);
}

void MakeExplosion(int32_t x, int32_t y, int32_t kind, int32_t velocityX, int32_t velocityY,
                   bool shootBack) {
    const auto [slot, found] = FindFreeSlot(FirstWorldSlot, LastWorldSlot);
    if (!found) return;
    TWorldObject& o = Objects[slot];
    o.FineX = FineOf(x);
    o.FineY = FineOf(y);
    o.X = x;
    o.Y = y;
    o.VelocityX = velocityX;
    o.VelocityY = velocityY;
    o.Kind = kind;
    o.Param = 0;
    o.Age = 0;
    o.Parent = shootBack ? ShootBackType : 0;
    // A slot keeps what its last object left in these fields: a never-used slot's bounds of
    // 0..0 would remove the explosion at once, a bullet's look would read as a dying state.
    // An explosion ends by its age, so its bounds are the widest.
    o.Bounds = ExplosionBounds;
    SetBulletLook(o, StateActive);
}
