#pragma once
// A flying ship among enemies: kind records for targets, and helpers to place enemies,
// bullets and ship shots directly in their slots.
#include <array>
#include <cstring>

#include "ship_fixture.h"
#include "world/bullets.h"
#include "world/destroy.h"
#include "world/spawn.h"
#include "world/tables.h"

class FightTest : public ShipTest {
  protected:
    static constexpr int32_t Target = 150;    // a plain enemy kind for the tests
    static constexpr int32_t Part = 151;      // a part attached to it
    static constexpr int32_t Released = 152;  // what a death action releases

    void SetUp() override {
        ShipTest::SetUp();
        DefineTarget(Target, 10, 100, 2);
        DefineTarget(Part, 5, 40, 1);
        DefineTarget(Released, 1, 0, 1);
        StartFlying(60, 200);
        Ship().Multiplier = 1;
    }
    // A damageable, harmless enemy kind with a box of +-10.
    static TEnemyType& DefineTarget(int32_t kind, int32_t hp, int32_t score, uint8_t deathKind) {
        TEnemyType& t = EnemyTypes[kind];
        t = TEnemyType{};
        t.HitPoints = hp;
        t.InitialState = StateActive;
        t.ShotResponse = ShotsDamage;
        t.Score = score;
        t.DeathKind = deathKind;
        t.BoxLeft = t.BoxTop = -10;
        t.BoxRight = t.BoxBottom = 10;
        t.TightLeft = t.TightRight = t.TightTop = t.TightBottom = 1;
        return t;
    }
    // An enemy of the kind at (x, y) in its lowest free slot.
    static int32_t Enemy(int32_t kind, int32_t x, int32_t y) { return SpawnObject(x, y, kind, 0); }
    // A ray bullet standing at (x, y) in the given slot.
    static TWorldObject& Bullet(int32_t slot, int32_t x, int32_t y, uint32_t look = 0,
                                int32_t kind = BulletKind::SmallBall) {
        TWorldObject& b = Objects[slot];
        b = TWorldObject{};
        b.Kind = kind;
        b.X = x;
        b.Y = y;
        SetBulletLook(b, look);
        return b;
    }
    // A ship shot of the kind at (x, y) in slot, hit group = group.
    static TWorldObject& Shot(int32_t slot, int32_t kind, int32_t x, int32_t y, int32_t group,
                              int32_t vx = 0, int32_t vy = 0) {
        return PlaceShot(slot, kind, x, y, vx, vy, group);
    }
    // Every record of the object table, to compare whole tables.
    static std::array<TWorldObject, ObjectCount> Snapshot() {
        std::array<TWorldObject, ObjectCount> s;
        std::memcpy(s.data(), Objects, sizeof Objects);
        return s;
    }
    static bool SameObject(const TWorldObject& a, const TWorldObject& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
    static int32_t CountEffects(int32_t kind) {
        int32_t n = 0;
        for (const TEffect& e : Effects) n += e.Kind == kind;
        return n;
    }
};
