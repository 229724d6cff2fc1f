// Ground and stage machinery: guns in the rock, launchers, the distant carrier and its boat,
// the gate and its cruisers, ceiling and floor turrets, and the path dart.
#include <cstdint>
#include <cstring>

#include "world/enemy_kinds.h"
#include "world/state.h"
#include "world/tables.h"

namespace {
using namespace EnemyKind;

constexpr int32_t LauncherOpenAge = 60;   // frame 0 until then
constexpr int32_t LauncherLastFrame = 9;  // past it, it flies right
constexpr int32_t LauncherSpeed = 4;
constexpr int32_t CarrierLead = 480;  // the hull leaves at carrier age boss position - 480
constexpr int32_t CarrierLayer = 3;   // where the emptied carrier is drawn
constexpr int32_t HullSinkUntil = 100;
constexpr int32_t HullLeaveAfter = 110;
constexpr int32_t GatePeriod = 1000;
constexpr int32_t CruiserX = 320, CruiserY = 50;

// The path follower's direction strings: a character c (64 + c) steps in direction 32 * c.
constexpr const char* PathStrings[] = {
    "TTTTTTSRQPONMLLLLLLMNOPQRS",
    "LLLLLLMNOPQRSTTTTTTSRQPONM",
    "HHHHHHJLNPPPPPPPPPPPPPPPPPPPPPPPP",
};
constexpr int32_t PathStringCount = 3;
constexpr int32_t PathStepFrames = 3;  // a new character every 3 frames
constexpr int32_t PathStepFine = 32;   // 2 pixels per axis per frame

void LauncherStep(TWorldObject& o) {
    if (o.Age < LauncherOpenAge) {
        o.Frame = 0;
        return;
    }
    o.Frame = (o.Age - LauncherOpenAge) / 6 + 2;
    if (o.Frame > LauncherLastFrame) {
        o.Frame = 8 + (o.Frame & 1);
        o.X += LauncherSpeed;
    }
}

void CarrierHullStep(TWorldObject& o) {
    if (o.Frame == 0) {
        if (o.Age < HullSinkUntil && o.Age % 4 == 0) o.Y += 1;
        if (o.Age > HullLeaveAfter) o.Frame = 1;
    }
    if (o.Frame == 1) o.X += 1;
}

void PathFollowerStep(TWorldObject& o) {
    if (o.Param < 0 || o.Param >= PathStringCount) return;  // no such path: it stands still
    const char* path = PathStrings[o.Param];
    const int32_t length = static_cast<int32_t>(std::strlen(path));
    const int32_t c = path[(o.Age / PathStepFrames) % length] - 64;
    const int32_t a = 32 * c;
    o.FineX += PolarX(1, a) * PathStepFine;
    o.FineY += PolarY(1, a) * PathStepFine;
    o.Frame = (32 * c - 32) >> 6;
}
}  // namespace

void GroundBehaviour(int32_t slot) {
    TWorldObject& o = Objects[slot];
    switch (o.Kind) {
        case CeilingGun:
            if (Every(o, 120, 40))
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::TrailRay,
                            .Speed = 64,
                            .Look = 2,
                            .Angle = 256,
                            .Hells = false});
            break;
        case Launcher:
            LauncherStep(o);
            break;
        case DistantCarrier:
            if (Every(o, 60, 0)) o.X += 1;
            if (o.Age == StageInfo(StageNo).BossPosition - CarrierLead) {
                SpawnObject(o.X, o.Y, CarrierBoat, 0);
                o.Layer = CarrierLayer;
            }
            break;
        case CarrierBoat:
            CarrierHullStep(o);
            break;
        case CruiserGate:
            if (Every(o, GatePeriod, 0)) SpawnObject(CruiserX, CruiserY, SlowCruiser, 0);
            break;
        case SlowCruiser:
            if (Every(o, 4, 0)) o.X -= 1;
            break;
        case TransportTank:
            o.X += 1;
            o.Frame = 0;
            break;
        case CeilingTurret:
            TurnWithin(o, DownwardMin, DownwardMax);
            o.Frame = 8 - o.Param / 64;
            if (Every(o, 60, 15))
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::SpikedBall,
                            .Speed = 16,
                            .Look = 2,
                            .Start = 8,
                            .Angle = o.Param});
            break;
        case FloorTurret:
            TurnWithin(o, UpwardMin, UpwardMax);
            o.Frame = (o.Param - 512) / 64;
            if (Every(o, 60, 15))
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::SpikedBall,
                            .Speed = 16,
                            .Look = 2,
                            .Start = 8,
                            .Angle = o.Param});
            break;
        case PathDart:
            PathFollowerStep(o);
            break;
        default:
            break;
    }
}
