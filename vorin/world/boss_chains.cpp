// The chain bosses (the chain fighter and the red chains): their chains of segments, its drift and
// the fire of the last segment of each chain.
#include <cmath>

#include "krdxlib/geometry.h"
#include "world/bosses.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/step.h"
#include "zvrandom.h"

namespace {
// The drift box: the boss turns back when its x or y leaves it.
constexpr int32_t DriftLeft = 180, DriftRight = 260, DriftTop = 80, DriftBottom = 160;

// The root of each chain hangs above (chain 0) or below (chain 1) the boss and swings to a
// new target angle every SwingFrames.
constexpr int32_t RootOffsetY[ChainCount] = {-40, 35};
constexpr int32_t SwingFrames = 120;
constexpr int32_t SegmentSpacing = 20;
constexpr int32_t JointFrame = 32;
constexpr int32_t BladeFrames = 16;  // the last segment's pictures follow the links'
constexpr int32_t FirstJoint = 3, SecondJoint = 6;
constexpr int32_t FirstJointTurn = 2, SecondJointTurn = 1;
constexpr int32_t SegmentStart = 8;  // start distance of a segment's bullets

// The root's swing: target and previous target in its velocity fields.
int32_t& SwingTarget(TWorldObject& root) {
    return root.VelocityX;
}
int32_t& SwingPrevious(TWorldObject& root) {
    return root.VelocityY;
}

// The turning bullet's number of turns: by the highest bullet class that fires; 0 when
// every class is off.
int32_t TurningBulletTurns() {
    if (ClassSettings[2] != ClassOff) return 3;
    if (ClassSettings[1] != ClassOff) return 2;
    if (ClassSettings[0] != ClassOff) return 1;
    return 0;
}

void TurningBullet(const TWorldObject& s, int32_t speed) {
    const int32_t turns = TurningBulletTurns();
    if (turns == 0) return;
    FireBullet(s.X, s.Y,
               {.Kind = BulletKind::TrailCrystal,
                .Speed = speed,
                .Class = ClassShootBack,
                .Look = 2,
                .Start = SegmentStart,
                .Angle = s.Param,
                .Mode = ModeTurning,
                .ModeValue = turns,
                .Hells = false});
}

// Fire of the last segment of a chain fighter's chain with n segments left.
void FireA(const TWorldObject& s, int32_t n) {
    const int32_t age = s.Age;
    switch (n) {
        case 1:
            if (age % 60 == 15) TurningBullet(s, 48);
            break;
        case 2:
        case 3:
            if (age % 30 == 0)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Crystal,
                            .Speed = 32,
                            .Look = 1,
                            .Start = SegmentStart,
                            .Angle = s.Param});
            if (age % 30 == 15)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Crystal,
                            .Speed = 32,
                            .Class = 1,
                            .Look = 1,
                            .Start = SegmentStart,
                            .Angle = s.Param});
            break;
        case 4:
            if (age % 60 == 15)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Crystal,
                            .Speed = 48,
                            .Start = SegmentStart,
                            .Mode = ModeAimLate});
            break;
        case 5:
        case 6:
            if (age % 120 == 0) TurningBullet(s, 24);
            break;
        case 7:
            if (age % 60 == 50) {
                const int32_t step = (age / 60) % 2 == 1 ? 3 : -3;
                for (int32_t k = 0; k < 4; ++k) {
                    FireBullet(s.X, s.Y,
                               {.Kind = BulletKind::Crystal,
                                .Speed = 32,
                                .Look = 1,
                                .Start = SegmentStart,
                                .Angle = 256 * k,
                                .Mode = ModeCurving,
                                .ModeValue = step});
                    FireBullet(s.X, s.Y,
                               {.Kind = BulletKind::Crystal,
                                .Speed = 48,
                                .Class = 1,
                                .Look = 1,
                                .Start = SegmentStart,
                                .Angle = 256 * k + 128,
                                .Mode = ModeCurving,
                                .ModeValue = step});
                }
            }
            break;
        default:  // 8: the whole chain
            if (age % 60 == 45)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::TrailRay,
                            .Speed = 64,
                            .Start = SegmentStart,
                            .Angle = s.Param,
                            .Hells = false});
            break;
    }
}

// Fire of the last segment of a red chain with n segments left.
void FireB(const TWorldObject& s, int32_t n) {
    const int32_t age = s.Age;
    switch (n) {
        case 1:
            if (age % 6 == 0) {
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = 32,
                            .Start = SegmentStart,
                            .Angle = 100 * age});
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = 32,
                            .Start = SegmentStart,
                            .Angle = 100 * age + 512});
            }
            break;
        case 2:
        case 3:
            if (age % 120 >= 91 && age % 8 == 0) {
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 64,
                            .Look = 1,
                            .Start = SegmentStart,
                            .Angle = s.Param + 256});
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 64,
                            .Look = 1,
                            .Start = SegmentStart,
                            .Angle = s.Param - 256});
            }
            break;
        case 4:
            if (age % 4 == 0 && age % 60 > 40) {
                const bool late = age % 60 > 50;
                for (int32_t k = 0; k < 8; ++k) {
                    FireBullet(s.X, s.Y,
                               {.Kind = BulletKind::SmallBall,
                                .Speed = 2 * (age % 60) - 50,
                                .Class = late ? 0 : 2,
                                .Look = late ? 1u : 3u,
                                .Start = SegmentStart,
                                .Angle = 128 * k + age});
                }
            }
            break;
        case 5:
        case 6:
            if (age % 60 == 45)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::SpikedBall,
                            .Speed = 64,
                            .Look = 1,
                            .Start = SegmentStart,
                            .Angle = s.Param});
            break;
        case 7:
            if (age % 10 == 0)
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::SmallBall,
                            .Speed = 32,
                            .Start = SegmentStart,
                            .Angle = 2 * age});
            break;
        default:  // 8
            if (age % 60 == 45) {
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 16,
                            .Look = 3,
                            .Start = SegmentStart,
                            .Angle = s.Param - 16});
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 16,
                            .Look = 3,
                            .Start = SegmentStart,
                            .Angle = s.Param});
                FireBullet(s.X, s.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 16,
                            .Look = 3,
                            .Start = SegmentStart,
                            .Angle = s.Param + 16});
            }
            break;
    }
}

// The swing of a root over 120 frames from its previous target to its target.
int32_t SwingAngle(int32_t previous, int32_t target, int32_t age) {
    const long double share = static_cast<long double>(target - previous) / SwingFrames;
    return previous + static_cast<int32_t>(std::nearbyintl(share * (age % SwingFrames)));
}

void UpdateChain(const TWorldObject& boss, int32_t chain, int32_t first) {
    if (first < FirstWorldSlot || first + ChainLength - 1 > LastWorldSlot) return;
    int32_t joint = 0;
    int32_t last = -1;
    for (int32_t i = 0; i < ChainLength; ++i) {
        TWorldObject& s = Objects[first + i];
        if (s.Kind != PartKind::ChainSegment) break;
        last = i;
        if (i == 0) {
            s.FineY = RootOffsetY[chain];
            s.Frame = JointFrame;
            if (s.Age % SwingFrames == 0) {
                SwingPrevious(s) = SwingTarget(s);
                SwingTarget(s) = chain == 0 ? random(512) + 512 : random(512);
            }
            s.Param = SwingAngle(SwingPrevious(s), SwingTarget(s), s.Age);
        } else {
            const TWorldObject& j = Objects[first + joint];
            const int32_t a = j.Param & AngleMask;
            const int32_t reach = SegmentSpacing * (i - joint);
            s.FineX = j.FineX + PolarX(reach, a);
            s.FineY = j.FineY + PolarY(reach, a);
            if (i == FirstJoint || i == SecondJoint) {
                s.Frame = JointFrame;
                joint = i;
                const int32_t turn = i == FirstJoint ? FirstJointTurn : SecondJointTurn;
                s.Param = TurnAngle(s.Param, AimAtShip(s.X, s.Y), turn);
            } else {
                s.Param = j.Param;
                s.Frame = ((s.Param + 16) / 32) & 15;
                if (i == ChainLength - 1) s.Frame += BladeFrames;
            }
        }
        s.ShotResponse = ShotsStopped;
    }
    if (last < 0 || boss.State == StateEntering) return;
    TWorldObject& tip = Objects[first + last];
    tip.ShotResponse = ShotsDamage;
    if (boss.Kind == BossKind::ChainFighter) {
        FireA(tip, last + 1);
    } else {
        FireB(tip, last + 1);
    }
}

void Drift(TWorldObject& o) {
    o.FineX += o.VelocityX;
    o.FineY += o.VelocityY;
    if (o.X < DriftLeft) o.VelocityX = 4 + random(8);
    if (o.X > DriftRight) o.VelocityX = -(4 + random(8));
    if (o.Y < DriftTop) o.VelocityY = 4 + random(8);
    if (o.Y > DriftBottom) o.VelocityY = -(4 + random(8));
}
}  // namespace

void ChainBoss(int32_t slot) {
    TWorldObject& o = Objects[slot];
    if (!BossEnter(o)) Drift(o);
    UpdateChain(o, 0, WorldRegA);
    UpdateChain(o, 1, WorldRegB);
}

void BuildBossChains(int32_t slot) {
    SceneColourKind = Objects[slot].Kind;
    CueSceneColours();
    CancelBullets(false);
    const int32_t first = FindFreeRun(FirstWorldSlot, ChainLength);
    const int32_t second = first < 0 ? -1 : FindFreeRun(first + ChainLength, ChainLength);
    if (second < 0) {
        CueMessage("FAILURE");
        return;
    }
    const int32_t starts[ChainCount] = {first, second};
    const TWorldObject& boss = Objects[slot];
    for (int32_t start : starts) {
        for (int32_t i = 0; i < ChainLength; ++i) {
            const int32_t s = SpawnObjectIn(start + i, boss.X, boss.Y, PartKind::ChainSegment, 0);
            AttachToParent(s, slot);
        }
        TWorldObject& root = Objects[start];
        SwingTarget(root) = SwingPrevious(root) = 512;
        Objects[start + FirstJoint].VelocityX = Objects[start + FirstJoint].VelocityY = 0;
        Objects[start + SecondJoint].VelocityX = Objects[start + SecondJoint].VelocityY = 512;
        Objects[start + SecondJoint].Param = 512;
        Objects[start + ChainLength - 1].Param = 512;
    }
    WorldRegA = first;
    WorldRegB = second;
}
