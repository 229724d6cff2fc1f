// The two weapon families: the main shot (levels 0..13) and the anchor weapon fired from
// the carried anchor (levels 14..28). A volley sets its cooldown whether or not it found
// free slots.
#include "world/ship.h"

#include <initializer_list>

#include "base/sounds.h"
#include "world/step.h"
#include "world/tables.h"
#include "zvrandom.h"

namespace {
constexpr int32_t ShotSpeed = 112;  // 7 pixels a frame to the right

// Main shot levels.
constexpr int32_t LevelSmall = 0;         // 0: twin shot
constexpr int32_t LevelSideLast = 2;      // 1, 2: twin shot with slanted side shots
constexpr int32_t LevelTwinLast = 4;      // 3, 4: big twin shot
constexpr int32_t LevelWideLast = 7;      // 5..7: wide shot
constexpr int32_t LevelMissileLast = 10;  // 8..10: ground missile
constexpr int32_t LevelLaserLast = 13;    // 11..13: laser
constexpr int32_t MainCooldown = 6;
constexpr int32_t MissileCooldown = 8;
constexpr int32_t LaserCooldown = 2;

// Anchor weapon levels.
constexpr int32_t LevelBase = 14, LevelBaseB = 18, LevelBaseC = 28;
constexpr int32_t LevelBomb = 15, LevelDrill = 16;
constexpr int32_t LevelFlameFirst = 19, LevelFlameLast = 21;
constexpr int32_t LevelBoundFirst = 22, LevelBoundLast = 24;
constexpr int32_t AnchorCooldown = 6;
constexpr int32_t BombCooldown = 8;
constexpr int32_t DrillCooldown = 24;

bool Free(int32_t slot) {
    return Objects[slot].Kind == KindFree;
}

// The first start k (ship-relative) whose slots k..k+width-1 are all free, as an object
// slot; -1 when there is none.
int32_t FreeRun(int32_t base, std::initializer_list<int32_t> starts, int32_t width) {
    for (int32_t k : starts) {
        bool all = true;
        for (int32_t i = 0; i < width && all; ++i) all = Free(base + k + i);
        if (all) return base + k;
    }
    return -1;
}

// First free slot of the ship-relative window first..last, as an object slot; -1 if none.
int32_t FreeIn(int32_t base, int32_t first, int32_t last) {
    const auto [slot, free] = FindFreeSlot(base + first, base + last);
    return free ? slot : -1;
}

// A shot along an angle at a speed, from (x, y), with its own slot as hit group.
void AimedShot(int32_t slot, int32_t kind, int32_t x, int32_t y, int32_t speed, int32_t angle,
               int32_t param) {
    PlaceShot(slot, kind, x, y, PolarX(speed, angle), PolarY(speed, angle), slot, param);
}

// Main shot volley; returns whether any shot was placed.
bool MainVolley(const TPlayer& p, int32_t base, int32_t level) {
    const int32_t x = p.X, y = p.Y;
    if (level <= LevelSideLast) {
        const int32_t k = FreeRun(base, {0, 4, 8, 12, 16}, 4);
        if (k < 0) return false;
        if (level == LevelSmall) {
            PlaceShot(k, ShotKind::Main, x + 10, y - 8, ShotSpeed, 0, k);
            PlaceShot(k + 1, ShotKind::Main, x + 10, y + 8, ShotSpeed, 0, k + 1);
            return true;
        }
        const int32_t kind = level == 1 ? ShotKind::Main : ShotKind::MainHeavy;
        const int32_t d = level == 1 ? 8 : 13;
        PlaceShot(k, ShotKind::Side, x + 8, y - 11, 96, -48, k, 0);
        PlaceShot(k + 1, ShotKind::Side, x + 8, y + 11, 96, 48, k + 1, 1);
        PlaceShot(k + 2, kind, x + 10, y - d, ShotSpeed, 0, k + 2);
        PlaceShot(k + 3, kind, x + 10, y + d, ShotSpeed, 0, k + 3);
        return true;
    }
    if (level <= LevelTwinLast) {
        const int32_t k = FreeRun(base, {0, 2, 4, 6, 8}, 2);
        if (k < 0) return false;
        PlaceShot(k, ShotKind::Twin, x + 10, y - 8, ShotSpeed, 0, k);
        PlaceShot(k + 1, ShotKind::Twin, x + 10, y + 8, ShotSpeed, 0, k + 1);
        return true;
    }
    if (level <= LevelWideLast) {
        // 3, 5 or 7 shots fanned 51 steps apart, each in its own window of three slots.
        const int32_t n = level - 4;
        bool placed = false;
        for (int32_t j = -n; j <= n; ++j) {
            const int32_t slot = FreeIn(base, 3 * j + 9, 3 * j + 11);
            if (slot < 0) continue;
            const int32_t angle = (j * 51) & AngleMask;
            PlaceShot(slot, ShotKind::Wide, x + 10, y, PolarX(ShotSpeed, angle),
                      PolarY(ShotSpeed, angle), slot + j + 3, angle);
            placed = true;
        }
        return placed;
    }
    if (level <= LevelMissileLast) {
        bool placed = false;
        const int32_t k = FreeRun(base, {0, 2, 4}, 2);
        if (k >= 0) {
            PlaceShot(k, ShotKind::MissilePair, x + 10, y - 8, 96, 0, k);
            PlaceShot(k + 1, ShotKind::MissilePair, x + 10, y + 8, 96, 0, k + 1);
            placed = true;
        }
        // The missiles do not depend on the pair: each has its own window.
        struct TMissile {
            int32_t MinLevel, First, Last, VelocityX, VelocityY, Param;
        };
        static constexpr TMissile missiles[] = {
            {8, 6, 9, 32, 64, 3},        // forward-down
            {9, 10, 13, 32, -64, 13},    // forward-up
            {10, 14, 17, -32, 64, 5},    // back-down
            {10, 18, 21, -32, -64, 11},  // back-up
        };
        for (const TMissile& m : missiles) {
            if (level < m.MinLevel) continue;
            const int32_t slot = FreeIn(base, m.First, m.Last);
            if (slot < 0) continue;
            PlaceShot(slot, ShotKind::GroundMissile, x, y, m.VelocityX, m.VelocityY, base, m.Param);
            placed = true;
        }
        return placed;
    }
    const int32_t slot = FreeIn(base, 0, 21);
    if (slot < 0) return false;
    const int32_t kind = ShotKind::LaserThin + level - (LevelMissileLast + 1);
    PlaceShot(slot, kind, x, y, 160, 0, base).Frame = p.Volleys & 1;
    return true;
}

}  // namespace

TWorldObject& PlaceShot(int32_t slot, int32_t kind, int32_t x, int32_t y, int32_t vx, int32_t vy,
                        int32_t hitGroup, int32_t param) {
    TWorldObject& o = Objects[slot];
    o.X = x;
    o.Y = y;
    o.FineX = FineOf(x);
    o.FineY = FineOf(y);
    o.Kind = kind;
    o.Age = 0;
    o.HitBox = ShotType(kind).HitBox;
    o.Parent = hitGroup;
    o.VelocityX = vx;
    o.VelocityY = vy;
    o.Param = param;
    return o;
}

void MainShot(int32_t index, int32_t level) {
    TPlayer& p = Players[index];
    if (level < 0 || level > LevelLaserLast) return;
    const bool laser = level > LevelMissileLast;
    p.MainCooldown = laser ? LaserCooldown : level > LevelWideLast ? MissileCooldown : MainCooldown;
    if (!MainVolley(p, index * ShotSlotsPerShip, level)) return;
    if (!laser) {
        CueSound(Sfx::ShotNormal);
    } else if (p.Volleys % 3 == 0) {
        CueSound(Sfx::Laser);
    }
    p.Volleys += 1;
}

void AnchorWeapon(int32_t index, int32_t level) {
    TPlayer& p = Players[index];
    const int32_t base = index * ShotSlotsPerShip;
    const int32_t ax = p.AnchorX, ay = p.AnchorY, h = p.AnchorHeading;
    if (level == LevelBase || level == LevelBaseB || level == LevelBaseC) {
        p.AnchorCooldown = AnchorCooldown;
        const int32_t slot = FreeIn(base, level == LevelBaseC ? 22 : 20, 31);
        if (slot >= 0) AimedShot(slot, ShotKind::AnchorShot, ax, ay, 96, h, 0);
    } else if (level == LevelBomb) {
        p.AnchorCooldown = BombCooldown;
        const int32_t slot = FreeIn(base, 20, 27);
        if (slot >= 0) {
            const int32_t angle = (h + random(17) - 8) & AngleMask;
            AimedShot(slot, ShotKind::Bomb, ax, ay, 64, angle, angle);
        }
    } else if (level == LevelDrill) {
        p.AnchorCooldown = DrillCooldown;
        const int32_t k = FreeRun(base, {20, 23, 26, 29}, 3);
        if (k >= 0) {
            for (int32_t i = 0; i < 3; ++i) {
                const int32_t angle = (h + 128 * (i - 1)) & AngleMask;
                AimedShot(k + i, ShotKind::Drill, ax, ay, 32, angle, angle);
            }
        }
    } else if (level >= LevelFlameFirst && level <= LevelFlameLast) {
        p.AnchorCooldown = AnchorCooldown;
        const int32_t slot = base + 10;
        if (Free(slot)) PlaceShot(slot, ShotKind::FlameSource, ax, ay, 0, 0, -slot, level - 19);
    } else if (level >= LevelBoundFirst && level <= LevelBoundLast) {
        p.AnchorCooldown = AnchorCooldown;
        const int32_t k = FreeRun(base, {10, 14, 18, 22, 26}, 4);
        if (k < 0) return;
        // The first shot follows the orbit angle, the others the heading.
        int32_t dirs[4] = {p.OrbitAngle, h, 0, 0};
        int32_t count = 2;
        if (level == 23) {
            dirs[1] = h - 16;
            dirs[2] = h + 16;
            count = 3;
        } else if (level == 24) {
            dirs[2] = h - 16;
            dirs[3] = h + 16;
            count = 4;
        }
        for (int32_t i = 0; i < count; ++i) {
            AimedShot(k + i, ShotKind::Bound, ax, ay, 96, dirs[i] & AngleMask, 8);
        }
    }
    // Gravity anchor (17) and plasma anchor (25..27) fire nothing while carried.
}
