#include "world/spawn.h"

#include <cmath>

#include "world/objects.h"
#include "world/passes.h"
#include "world/state.h"

namespace {
// Bounds by the record's tight flags.
constexpr int32_t TightLeftBound = -80, WideLeftBound = -1280;
constexpr int32_t TightRightBound = 400, WideRightBound = 1600;
constexpr int32_t TightTopBound = -60, WideTopBound = -960;
constexpr int32_t TightBottomBound = 300, WideBottomBound = 1200;

constexpr int32_t MineSpeed = 24;
}  // namespace

int32_t SpawnObject(int32_t x, int32_t y, int32_t kind, int32_t param) {
    return SpawnObjectIn(FindFreeSlot(FirstWorldSlot, LastWorldSlot).first, x, y, kind, param);
}

int32_t SpawnObjectIn(int32_t slot, int32_t x, int32_t y, int32_t kind, int32_t param) {
    Stats.SpawnCount += 1;
    TWorldObject& o = Objects[slot];
    o.X = x;
    o.Y = y;
    o.Kind = kind;
    o.Param = 0;
    o.Age = 0;
    o.DeathTime = 0;
    o.Parent = -1;
    o.Flash = 0;
    o.Frame = 0;
    if (kind == BossKind::ChainFighter || kind == BossKind::RedChains) ClockHold = ClockHeld;

    const TEnemyType& t = TypeOf(kind);
    o.HitPoints = t.HitPoints;
    o.HitBox = TypeBox(t);
    o.State = t.InitialState;
    o.ContactKind = t.ContactKind;
    o.ShotResponse = t.ShotResponse;
    o.Layer = t.Layer;
    o.Bounds.MinX = t.TightLeft ? TightLeftBound : WideLeftBound;
    o.Bounds.MaxX = t.TightRight ? TightRightBound : WideRightBound;
    o.Bounds.MinY = t.TightTop ? TightTopBound : WideTopBound;
    o.Bounds.MaxY = t.TightBottom ? TightBottomBound : WideBottomBound;
    if (t.FinePosition) {
        o.FineX = FineOf(x);
        o.FineY = FineOf(y);
    }

    switch (kind) {
        case EnemyKind::GroundStructure:
        case PartKind::RotatingDish:
        case EnemyKind::PathDart:
            o.Param = param;
            break;
        case EnemyKind::HomingMissile:
            o.FineX = FineOf(x);
            o.FineY = FineOf(y);
            break;
        case PartKind::TankTurret:
        case EnemyKind::FloorTurret:  // pointing left, in its range: drawn from its first frame
            o.Param = 512;
            break;
        case EnemyKind::Mine: {
            o.Param = param;
            o.VelocityX = PolarX(MineSpeed, param);
            o.VelocityY = PolarY(MineSpeed, param);
            break;
        }
        case EnemyKind::BigFloorTurret:
        case EnemyKind::HoppingGunship:
            o.Aim = 512;
            break;
        case BossKind::LargeCraft:
            BossSlot = slot;
            break;
        case BossKind::HeavyTank:
            BossSlot = slot;
            BuildFortressParts(slot);
            break;
        case BossKind::TrailCraft:
            BossSlot = slot;
            BuildTrailBody(slot);
            break;
        case BossKind::ChainFighter:
        case BossKind::RedChains:
            BossSlot = slot;
            BuildBossChains(slot);
            break;
        default:
            break;
    }
    return slot;
}

void AttachToParent(int32_t child, int32_t parent) {
    TWorldObject& c = Objects[child];
    c.Parent = parent;
    c.FineX = c.X - Objects[parent].X;
    c.FineY = c.Y - Objects[parent].Y;
}

void ChangeKind(int32_t slot, int32_t kind, int32_t param) {
    TWorldObject& o = Objects[slot];
    o.Kind = kind;
    o.Param = param;
    o.Age = 0;
}
