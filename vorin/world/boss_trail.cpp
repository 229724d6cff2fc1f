// The fast craft with a trailing body (BossKind::TrailCraft): hunting with mines, leaving and
// coming back from the other side, strafing, crossing, and the body that follows its path.
#include "krdxlib/geometry.h"
#include "world/bosses.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {
constexpr int32_t SlowSpeed = 24, FastSpeed = 48;  // 1/16 pixel per frame
constexpr int32_t HuntTurn = 4;
constexpr int32_t MinePeriod = 20;
constexpr int32_t MineLeft = 16, MineRight = 304, MineTop = 16, MineBottom = 224;
constexpr int32_t HuntFrames = 1201;  // hunting at least this long before leaving
constexpr int32_t MidX = 161;         // "x < 161": the left half of the screen
constexpr int32_t StrafePeriod = 6;
constexpr int32_t FastFollow = 8, SlowFollow = 16;  // path entries between body segments

// Leaving vertically (phase 4): out past these, back in from the top or the bottom.
constexpr int32_t LeaveTop = -300, LeaveBottom = 540;
constexpr int32_t BackLeftFineX = 1024, BackRightFineX = 4096;
constexpr int32_t BackTopFineY = -1024, BackBottomFineY = 4864;
// Strafing out (phase 10): past these it re-enters horizontally.
constexpr int32_t OutTop = -600, OutBottom = 600;
constexpr int32_t ReenterLeftFineX = -1600, ReenterRightFineX = 6720, ReenterFineY = 1920;

bool NearlyVertical(int32_t h) {
    return (h >= 193 && h <= 319) || (h >= 705 && h <= 831);
}

// The position the frame ends with (the behaviour pass converts the fine position after).
int32_t PixelX(const TWorldObject& o) {
    return PixelTrunc(o.FineX);
}
int32_t PixelY(const TWorldObject& o) {
    return PixelTrunc(o.FineY);
}

void Hunt(TWorldObject& o) {
    const int32_t x = PixelX(o), y = PixelY(o);
    o.Param = TurnAngle(o.Param, AimAtShip(x, y), HuntTurn);
    if (o.Age % MinePeriod == 0 && x > MineLeft && x < MineRight && y > MineTop && y < MineBottom) {
        SpawnObject(x, y, EnemyKind::Mine, o.Param);
    }
    if (o.Age - PhaseStart >= HuntFrames && NearlyVertical(o.Param)) {
        WorldRegA = TrailLeaving;
        PhaseStart = o.Age;
    }
}

void Leave(TWorldObject& o) {
    const int32_t x = PixelX(o), y = PixelY(o);
    if (y < LeaveTop) {
        o.Param = 240 + random(32);
        o.FineX = x < MidX ? BackRightFineX : BackLeftFineX;
        o.FineY = BackTopFineY;
    } else if (y > LeaveBottom) {
        o.Param = 752 + random(32);
        o.FineY = BackBottomFineY;
        o.FineX = x < MidX ? BackRightFineX : BackLeftFineX;
    } else {
        return;
    }
    ResetPathRing(PixelX(o), PixelY(o));
    WorldRegA = TrailStrafing;
    PhaseStart = 0;
}

void Strafe(TWorldObject& o, int32_t h) {
    const int32_t x = PixelX(o), y = PixelY(o);
    if (o.Age % StrafePeriod == 0) {
        const int32_t s = h - 256 + 512 * ((x < 160) != (h < 512) ? 1 : 0);
        FireBullet(x, y, {.Kind = BulletKind::Needle, .Speed = 64, .Angle = s});
        FireBullet(
            x, y,
            {.Kind = BulletKind::Needle, .Speed = 64, .Class = 1, .Look = 2, .Angle = s - 64});
        FireBullet(
            x, y,
            {.Kind = BulletKind::Needle, .Speed = 64, .Class = 1, .Look = 2, .Angle = s + 64});
        if (o.Age % 20 == 0)
            FireBullet(x, y,
                       {.Kind = BulletKind::SpikedBall,
                        .Speed = 32,
                        .Class = 2,
                        .Look = LookUnabsorbable,
                        .Angle = AimAtShip(x, y)});
    }
    if (WorldRegA == TrailStrafing) {
        if ((y < -60 && o.Param > 512) || (y > 300 && o.Param <= 511)) {
            o.Param = x < MidX ? 0 : 512;
            WorldRegA = TrailCrossing;
            PhaseStart = 0;
        }
        return;
    }
    if (y < OutTop || y > OutBottom) {
        PhaseStart = o.Age;
        WorldRegA = TrailHunting;
        if (x < MidX) {
            o.FineX = ReenterLeftFineX;
            o.Param = 0;
        } else {
            o.FineX = ReenterRightFineX;
            o.Param = 512;
        }
        o.FineY = ReenterFineY;
        ResetPathRing(PixelX(o), PixelY(o));
    }
}

void Cross(TWorldObject& o, int32_t h) {
    const int32_t x = PixelX(o), y = PixelY(o);
    if ((x < 60 && h > 256 && h < 768) || (x > 260 && (h < 256 || h >= 769))) {
        o.Param = y > 119 ? random(32) + 752 : random(32) + 240;
        WorldRegA = TrailStrafingOut;
    }
}

// The body: segment b sits on the path (b + 1) * k entries behind the head.
void FollowPath(const TWorldObject& o) {
    const int32_t first = WorldRegB;
    if (first < FirstWorldSlot || first + BodyLength - 1 > LastWorldSlot) return;
    const int32_t k = WorldRegA > 7 ? FastFollow : SlowFollow;
    const int32_t x = PixelX(o), y = PixelY(o);
    for (int32_t b = 0; b < BodyLength; ++b) {
        TWorldObject& s = Objects[first + b];
        if (s.Kind != PartKind::BodySegment) continue;
        const TPathPoint& e = PathRing[(PathHead - (b + 1) * k) & (PathRingSize - 1)];
        s.FineX = e.X - x;
        s.FineY = e.Y - y;
        s.Param = e.Angle;
    }
}
}  // namespace

void TrailBoss(int32_t slot) {
    TWorldObject& o = Objects[slot];
    const int32_t speed = WorldRegA >= TrailStrafing ? FastSpeed : SlowSpeed;
    const int32_t h = o.Param & AngleMask;
    o.FineX += PolarX(speed, h);
    o.FineY += PolarY(speed, h);
    switch (WorldRegA) {
        case TrailHunting:
            Hunt(o);
            break;
        case TrailLeaving:
            Leave(o);
            break;
        case TrailStrafing:
        case TrailStrafingOut:
            Strafe(o, h);
            break;
        case TrailCrossing:
            Cross(o, h);
            break;
        default:
            break;
    }
    PathRing[PathHead] = {PixelX(o), PixelY(o), o.Param};
    PathHead = (PathHead + 1) & (PathRingSize - 1);
    o.Frame = (o.Param - 32) / 64;
    FollowPath(o);
}

void BuildTrailBody(int32_t slot) {
    TWorldObject& boss = Objects[slot];
    boss.Param = 512;
    WorldRegA = TrailHunting;
    const int32_t first = FindFreeRun(FirstWorldSlot, BodyLength);
    if (first >= 0) {
        for (int32_t b = 0; b < BodyLength; ++b) {
            const int32_t s = SpawnObjectIn(first + b, boss.X, boss.Y, PartKind::BodySegment, 0);
            AttachToParent(s, slot);
        }
        WorldRegB = first;
    }
    ResetPathRing(boss.X, boss.Y);
    PathHead = 0;
}
