// The ship-shot pass: each shot in slots 0..63 ages and takes its kind's step, then its
// pixel position follows the fine one; shots leaving the field are removed and shots that
// do not ignore walls turn into wall sparks on solid tiles.
#include "world/passes.h"
#include "world/ship.h"
#include "world/state.h"
#include "world/tables.h"

namespace {
constexpr uint32_t FieldFineMaxX = 5135;  // fine positions beyond (or negative) leave
constexpr uint32_t FieldFineMaxY = 3855;
constexpr int32_t MissileGrounded = 256;  // param bit: the missile runs along the ground
constexpr int32_t MissileSprite = 255;
constexpr int32_t MissileRunBack = 8, MissileRunForward = 0;  // frames on the ground
constexpr int32_t ProbeReach = 8;                             // wall probes this far out
constexpr int32_t FlameSpeed = 64;
constexpr int32_t FlameCount = 22;  // flames of a source go no further than slot + 21
constexpr int32_t FlameMakingAges = 16;
constexpr int32_t SourceLife = 30;
constexpr int32_t SparkLife = 4;
constexpr int32_t TrailLife = 7;  // kinds 23 and 29
constexpr int32_t BlastLife = 23;
constexpr int32_t FlameLifeBase = 23;  // + param * 4
constexpr int32_t PlasmaLife = 180;

void Remove(TWorldObject& o) {
    o.Kind = KindFree;
}

bool Solid(int32_t x, int32_t y) {
    return BackgroundSolid(x, y);
}

// Ground missile: falls or climbs until ground is met, then runs along it.
void GroundMissileStep(TWorldObject& o) {
    if ((o.VelocityY < 0 && Solid(o.X, o.Y - ProbeReach)) ||
        (o.VelocityY > 0 && Solid(o.X, o.Y + ProbeReach))) {
        o.Param |= MissileGrounded;
    }
    if (o.Param & MissileGrounded) {
        o.Frame = o.VelocityX < 1 ? MissileRunBack : MissileRunForward;
        o.Param &= MissileSprite;
    } else {
        o.FineY += o.VelocityY;
        o.Param &= MissileSprite;
        o.Frame = o.Param;
    }
    o.FineX += o.VelocityX;
    if (Solid(o.X, o.Y)) Remove(o);
}

// Bound shot: bounces off walls, removed when its bounces are used up.
void BoundStep(TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    if ((o.VelocityX < 0 && Solid(o.X - ProbeReach, o.Y)) ||
        (o.VelocityX > 0 && Solid(o.X + ProbeReach, o.Y))) {
        o.VelocityX = -o.VelocityX;
        o.Param -= 1;
    }
    if ((o.VelocityY < 0 && Solid(o.X, o.Y - ProbeReach)) ||
        (o.VelocityY > 0 && Solid(o.X, o.Y + ProbeReach))) {
        o.VelocityY = -o.VelocityY;
        o.Param -= 1;
    }
    if (o.Param < 1) Remove(o);
}

// Flame source: rides on the anchor and, on odd ages below 16, makes a flame in the next
// slots, each flying along the anchor heading.
void FlameSourceStep(TWorldObject& o, int32_t slot) {
    const TPlayer& p = Players[slot / ShotSlotsPerShip];
    o.FineX = FineOf(p.AnchorX);
    o.FineY = FineOf(p.AnchorY);
    if ((o.Age & 1) == 1 && o.Age < FlameMakingAges) {
        const int32_t flame = slot + o.Age / 2 + 1;
        if (flame < slot + FlameCount && flame <= LastShotSlot) {
            TWorldObject& f =
                PlaceShot(flame, ShotKind::Flame, o.X, o.Y, PolarX(FlameSpeed, p.AnchorHeading),
                          PolarY(FlameSpeed, p.AnchorHeading), flame, o.Param);
            f.FineX = o.FineX;
            f.FineY = o.FineY;
        }
    }
    if (o.Age > SourceLife) Remove(o);
}

void LaserStep(TWorldObject& o, int32_t slot) {
    const TPlayer& p = Players[slot / ShotSlotsPerShip];
    o.FineX = o.VelocityX * o.Age + FineOf(p.X);
    o.FineY = FineOf(p.Y);
}

// Every other kind flies straight and lives as long as its kind allows.
void FlyStep(TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    switch (o.Kind) {
        case ShotKind::Trail:
        case ShotKind::HeldAnchor:
            if (o.Age > TrailLife) Remove(o);
            break;
        case ShotKind::Blast:
            if (o.Age > BlastLife) Remove(o);
            break;
        case ShotKind::Flame:
            if (o.Age > o.Param * 4 + FlameLifeBase) Remove(o);
            break;
        case ShotKind::PlasmaSmall:
        case ShotKind::PlasmaMedium:
        case ShotKind::PlasmaLarge:
            if (o.Age > PlasmaLife) Remove(o);
            break;
        default:
            break;
    }
}

void StepShot(TWorldObject& o, int32_t slot) {
    switch (o.Kind) {
        case ShotKind::GroundMissile:
            GroundMissileStep(o);
            break;
        case ShotKind::Bound:
            BoundStep(o);
            break;
        case ShotKind::FlameSource:
            FlameSourceStep(o, slot);
            break;
        case ShotKind::Bomb:
            o.FineX += o.VelocityX;
            o.FineY += o.VelocityY;
            if (Solid(o.X, o.Y)) {  // where it was before this frame's move
                ChangeShotKind(o, ShotKind::Blast);
                o.VelocityX = o.VelocityY = 0;
            }
            break;
        case ShotKind::LaserThin:
        case ShotKind::LaserMedium:
        case ShotKind::LaserThick:
            LaserStep(o, slot);
            break;
        case ShotKind::WallSpark:
            if (o.Age > SparkLife) Remove(o);
            break;
        default:
            FlyStep(o);
            break;
    }
}

}  // namespace

void ChangeShotKind(TWorldObject& o, int32_t kind) {
    o.Kind = kind;
    o.Age = 0;
    o.HitBox = ShotType(kind).HitBox;
}

void ShipShotPass() {
    for (int32_t slot = FirstShotSlot; slot <= LastShotSlot; ++slot) {
        TWorldObject& o = Objects[slot];
        if (o.Kind == KindFree) continue;
        o.Age += 1;
        StepShot(o, slot);
        if (o.Kind == KindFree) continue;
        // Taken as unsigned, so a negative fine position lands far outside the field.
        const uint32_t fx = static_cast<uint32_t>(o.FineX), fy = static_cast<uint32_t>(o.FineY);
        o.X = PixelUnsigned(o.FineX);
        o.Y = PixelUnsigned(o.FineY);
        if (fx > FieldFineMaxX || fy > FieldFineMaxY) {
            Remove(o);
            continue;
        }
        if (ShotType(o.Kind).IgnoresWalls == 0 && Solid(o.X, o.Y)) {
            ChangeShotKind(o, ShotKind::WallSpark);
        }
    }
}
