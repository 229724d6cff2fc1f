// Boss entry, the time-out, the single large craft and the heavy tank (the fortress).
#include "world/bosses.h"

#include "krdxlib/geometry.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

int32_t SceneColourKind = 0;

namespace {
// Entry: the bosses but the trailing craft move in from the right and become active here.
constexpr int32_t EntryX = 240;
constexpr int32_t FineEntryStep = 16;

// The run search for a boss's chains or body counts this ship-shot kind as free too.
constexpr int32_t KindCountedFree = ShotKind::PlasmaSmall;

// The time-out's last volley: a ring of 64 and four homing bullets.
constexpr int32_t RingCount = 64;
constexpr int32_t RingStep = 16;
constexpr int32_t TimeOutDeathTime = 300;

// The large craft: a figure eight about (240, 120), five attack phases out of ten of 240 frames.
constexpr int32_t CraftCentreX = 240, CraftCentreY = 120;
constexpr int32_t CraftSwingX = 60, CraftSwingY = 80;
constexpr int32_t CraftPhaseFrames = 240;
constexpr int32_t CraftPhaseCount = 10;
constexpr int32_t CraftPausePhase = 8;  // phases 8 and 9 hold the figure eight
constexpr int32_t CraftBeat = 120;

// The heavy tank's parts: kind and offset from the tank, in the order they are built.
struct TPart {
    int32_t Kind, X, Y, Param, Age;
};
constexpr TPart FortressParts[] = {
    {PartKind::RearTrack, 50, 18, 0, 0},        {PartKind::FrontTrack, -64, 18, 0, 0},
    {PartKind::Superstructure, -20, -50, 0, 0}, {PartKind::SlidingGun, -80, 18, 0, 0},
    {PartKind::TankTurret, -70, -7, 0, 0},      {PartKind::RotatingDish, -10, -7, 0, 0},
    {PartKind::RotatingDish, -10, -7, 170, 0},  {PartKind::RotatingDish, -10, -7, 340, 0},
    {PartKind::RotatingDish, -10, -7, 510, 0},  {PartKind::RotatingDish, -10, -7, 670, 0},
    {PartKind::RotatingDish, -10, -7, 850, 0},  {PartKind::MissileHatch, 46, 10, 0, 0},
    {PartKind::MissileHatch, 56, 10, 0, 10},    {PartKind::MissileHatch, 66, 10, 0, 20},
};

}  // namespace

bool BossEnter(TWorldObject& o) {
    if (o.State != StateEntering) return false;
    bool arrived = false;
    switch (o.Kind) {
        case BossKind::LargeCraft:
            o.X -= 1;
            arrived = o.X <= EntryX;
            break;
        case BossKind::HeavyTank:
            o.X -= 1;
            arrived = o.X < EntryX;
            break;
        default:  // the chain bosses move on their fine position; x is last frame's
            o.FineX -= FineEntryStep;
            arrived = o.X < EntryX;
            break;
    }
    if (!arrived) return true;
    o.State = StateActive;
    o.Age = 0;
    o.Param = 0;
    if (o.Kind == BossKind::ChainFighter || o.Kind == BossKind::RedChains) {
        // The chain boss's drift: drawn until one of the two lies outside -8..8.
        do {
            o.VelocityX = random(24) - 12;
            o.VelocityY = random(24) - 12;
        } while (o.VelocityX >= -8 && o.VelocityX <= 8 && o.VelocityY >= -8 && o.VelocityY <= 8);
    }
    return true;
}

namespace {
void CraftAttack(const TWorldObject& o) {
    const int32_t age = o.Age;
    const int32_t phase = (age / CraftPhaseFrames) % CraftPhaseCount;
    const int32_t b = age % CraftBeat;
    switch (phase) {
        case 1:
            if (b % 16 == 0) {
                const int32_t aim = AimAtShip(o.X, o.Y);
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 48, .Look = 1, .Angle = aim + 64});
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::Needle, .Speed = 48, .Class = 1, .Look = 1, .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle, .Speed = 48, .Look = 1, .Angle = aim - 64});
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::Needle, .Speed = 36, .Class = 2, .Angle = aim - 32});
                FireBullet(
                    o.X, o.Y,
                    {.Kind = BulletKind::Needle, .Speed = 36, .Class = 2, .Angle = aim + 32});
            }
            break;
        case 3:
            if (b % 2 == 1)
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall,
                            .Speed = 48,
                            .Class = (b & 2) ? 0 : 1,
                            .Look = 2,
                            .Angle = 8 * age});
            if (b % 30 == 15)
                FireFan(o.X, o.Y,
                        {.Kind = BulletKind::SmallBall, .Speed = 16, .Class = 2, .Angle = 32},
                        {.Step = 64, .Count = 16});
            break;
        case 5:
            if (b % 2 == 1 && b % 30 < 15)
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::SpikedBall, .Speed = 64, .Look = 1, .Angle = 512});
            if (b % 30 == 15)
                FireFan(o.X, o.Y,
                        {.Kind = BulletKind::SmallBall, .Speed = 32, .Class = 2, .Angle = 512},
                        {.Step = 64, .Count = 8});
            break;
        case 7:
            if (age % 15 == 0) {
                const int32_t aim = AimAtShip(o.X, o.Y);
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall, .Speed = 48, .Class = 1, .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall, .Speed = 32, .Look = 3, .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall,
                            .Speed = 16,
                            .Look = LookUnabsorbable,
                            .Angle = aim});
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::LargeBall,
                            .Speed = 64,
                            .Class = 2,
                            .Look = 2,
                            .Angle = aim});
            }
            break;
        case 9:
            if (b == 50) {
                for (int32_t k = 0; k < 16; ++k) {
                    for (int32_t cls = 0; cls < 2; ++cls) {
                        const int32_t speed = 8 + random(32);
                        const int32_t angle = 256 + random(512);
                        FireBullet(o.X, o.Y,
                                   {.Kind = BulletKind::SmallBall,
                                    .Speed = speed,
                                    .Class = cls,
                                    .Look = 2,
                                    .Angle = angle});
                    }
                }
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::TrailRay,
                            .Speed = 64,
                            .Look = 3,
                            .Angle = 512,
                            .Hells = false});
            }
            if (b >= 101 && b % 4 == 0)
                FireBullet(o.X, o.Y,
                           {.Kind = BulletKind::Needle,
                            .Speed = 48,
                            .Class = 2,
                            .Angle = AimAtShip(o.X, o.Y)});
            break;
        default:  // 0, 2, 4, 6, 8: no fire
            break;
    }
}
}  // namespace

bool BossTimeOut(int32_t slot) {
    TWorldObject& o = Objects[slot];
    if (o.Age <= BossTimeOutAge || (o.Age & 4) != 0) return false;
    for (int32_t k = 0; k < RingCount; ++k)
        FireBullet(o.X, o.Y,
                   {.Kind = BulletKind::SpikedBall,
                    .Speed = 48,
                    .Class = ClassShootBack,
                    .Angle = RingStep * k});
    for (int32_t k = 0; k < 4; ++k)
        FireBullet(o.X, o.Y,
                   {.Kind = BulletKind::Homing,
                    .Speed = 48,
                    .Class = ClassShootBack,
                    .Look = 1,
                    .Angle = 128 + 256 * k,
                    .Hells = false});
    CancelBullets(false);
    // Only the stage's own boss ends the stage; a mid-boss just leaves the fight.
    if (TypeOf(o.Kind).BossFlag) {
        StagePhase = PhaseCleared;
        StageClock = 0;
    }
    o.HitPoints = 1;
    o.DeathTime = TimeOutDeathTime;
    o.State = StateDying;
    o.Age = 0;
    o.Param = 0;
    return true;
}

void CraftBoss(int32_t slot) {
    TWorldObject& o = Objects[slot];
    o.Frame = (o.Age / 2) & 1;
    if (BossEnter(o)) return;
    o.X = PolarY(CraftSwingX, o.Param) + CraftCentreX;
    o.Y = PolarY(CraftSwingY, 2 * o.Param) + CraftCentreY;
    if ((o.Age / CraftPhaseFrames) % CraftPhaseCount < CraftPausePhase) o.Param += 1;
    CraftAttack(o);
}

void BossBehaviour(int32_t slot) {
    TWorldObject& o = Objects[slot];
    switch (o.Kind) {
        case BossKind::LargeCraft:
            if (o.State == StateActive && BossTimeOut(slot)) return;
            CraftBoss(slot);
            break;
        case BossKind::HeavyTank:
            // Once in place the fortress neither moves nor fires: its parts do.
            if (o.State == StateActive && BossTimeOut(slot)) return;
            BossEnter(o);
            break;
        case BossKind::ChainFighter:
        case BossKind::RedChains:
            ChainBoss(slot);
            break;
        case BossKind::TrailCraft:
            if (o.State == StateActive && BossTimeOut(slot)) return;
            TrailBoss(slot);
            break;
        default:
            break;
    }
}

void BuildFortressParts(int32_t slot) {
    const TWorldObject& boss = Objects[slot];
    for (const TPart& p : FortressParts) {
        const int32_t part = SpawnObject(boss.X + p.X, boss.Y + p.Y, p.Kind, p.Param);
        AttachToParent(part, slot);
        Objects[part].Age = p.Age;
    }
}

int32_t FindFreeRun(int32_t first, int32_t count) {
    int32_t run = 0;
    for (int32_t s = first; s <= LastWorldSlot; ++s) {
        const int32_t k = Objects[s].Kind;
        run = (k == KindFree || k == KindCountedFree) ? run + 1 : 0;
        if (run == count) return s - count + 1;
    }
    return -1;
}
