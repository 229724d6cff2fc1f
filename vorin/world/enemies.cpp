// The behaviour pass and each enemy kind's movement and firing.
#include "world/enemies.h"

#include "world/bosses.h"
#include "world/destroy.h"
#include "world/enemy_kinds.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/state.h"

void EnemyBehaviour(int32_t slot) {
    using namespace EnemyKind;
    switch (Objects[slot].Kind) {
        case Dart:
        case Sinker:
        case RearGunner:
        case CrossGunner:
        case TwinGunner:
        case RingBurster:
        case RotorGunship:
        case GroundStructure:
        case BigGunboat:
        case HomingMissile:
        case Mine:
        case ThrownCanister:
            FighterBehaviour(slot);
            break;
        case CeilingGun:
        case Launcher:
        case DistantCarrier:
        case CarrierBoat:
        case CruiserGate:
        case SlowCruiser:
        case TransportTank:
        case CeilingTurret:
        case FloorTurret:
        case PathDart:
            GroundBehaviour(slot);
            break;
        case PartKind::SlidingGun:
        case PartKind::TankTurret:
        case PartKind::MissileHatch:
        case PartKind::RotatingDish:
        case PartKind::Rocket:
        case BigFloorTurret:
            FortressPartBehaviour(slot);
            break;
        case HoppingGunship:
            HopperBehaviour(slot);
            break;
        default:
            break;  // no rule of its own
    }
}

void BehaviourPass() {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind == KindFree) continue;
        if (o.State == StateDying) {
            if (o.Kind >= KindFirstEnemy) DyingSequence(s);
            continue;
        }
        if (o.State == StateInert) continue;
        // A part keeps following whatever occupies its parent's slot.
        if (o.Parent >= 0 && o.Parent < ObjectCount && o.Kind > KindFirstEnemy) {
            const TWorldObject& p = Objects[o.Parent];
            o.X = p.X + o.FineX;
            o.Y = p.Y + o.FineY;
        }
        if (o.Kind >= KindFirstBoss) {
            BossBehaviour(s);
        } else if (o.Kind >= KindFirstEnemy) {
            EnemyBehaviour(s);
        }
        if (o.Kind == KindFree) continue;
        if (TypeOf(o.Kind).FinePosition) {
            o.X = PixelTrunc(o.FineX);
            o.Y = PixelTrunc(o.FineY);
        }
        if (o.X < o.Bounds.MinX || o.X > o.Bounds.MaxX || o.Y < o.Bounds.MinY ||
            o.Y > o.Bounds.MaxY) {
            o.Kind = KindFree;
        }
    }
}
