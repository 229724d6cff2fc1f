// The hopping gunship: three hops across the screen (choose a spot, travel there firing,
// stop and fire a spread), one more choice, then it leaves by the nearer side.
#include <cstdlib>

#include "world/enemy_kinds.h"
#include "zvrandom.h"

namespace {
constexpr int32_t LastPhase = 9;    // phases 0..9; above, it leaves
constexpr int32_t LeaveSpeed = 32;  // 2 pixels a frame
constexpr int32_t ScreenMiddle = 159;
constexpr int32_t HopFrames = 60;   // a hop is timed to arrive in 60 frames
constexpr int32_t SpotMargin = 20;  // destinations x 20..299, y 20..219
constexpr int32_t SpotSpanX = 280, SpotSpanY = 200;
constexpr int32_t MinHopX = 80;  // a destination must lie further than this on x...
constexpr int32_t MinHopY = 81;  // ... or at least this far on y

void ChooseSpot(TWorldObject& o) {
    int32_t dx, dy;
    do {
        dx = SpotMargin + random(SpotSpanX);
        dy = SpotMargin + random(SpotSpanY);
    } while (std::abs(o.X - dx) <= MinHopX && std::abs(o.Y - dy) < MinHopY);
    o.Aim = GetAngle(o.X, o.Y, dx, dy);
    o.VelocityX = FineOf(dx - o.X) / HopFrames;
    o.VelocityY = FineOf(dy - o.Y) / HopFrames;
}
}  // namespace

void HopperBehaviour(int32_t slot) {
    TWorldObject& o = Objects[slot];
    o.Frame = (AimOf(o) >> 6) & 15;
    int32_t& p = o.Param;
    if (p > LastPhase) {
        o.FineX += o.X > ScreenMiddle ? LeaveSpeed : -LeaveSpeed;
        return;
    }
    switch (p % 3) {
        case 0:
            ChooseSpot(o);
            p += 1;
            break;
        case 1:  // travel
            o.FineX += o.VelocityX;
            o.FineY += o.VelocityY;
            if (Every(o, HopFrames, 0)) p += 1;
            if (Every(o, 12, 0))
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = 16,
                            .Class = 2,
                            .Look = 3,
                            .Start = 8,
                            .Angle = AimOf(o)});
            break;
        default:  // stop and fire
            if (Every(o, HopFrames, 30)) {
                const int32_t aim = AimOf(o);
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::Needle, .Speed = 32, .Look = 1, .Start = 8, .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 30,
                            .Class = 1,
                            .Look = 1,
                            .Start = 8,
                            .Angle = aim + 16});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 34,
                            .Class = 1,
                            .Look = 1,
                            .Start = 8,
                            .Angle = aim - 16});
            }
            if (Every(o, HopFrames, 0)) p += 1;
            break;
    }
}
