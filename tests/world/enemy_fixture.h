#pragma once
// An empty map with the enemy kinds defined as the game's kind table defines their motion
// (fine position where they move in 1/16 pixel), the ship parked where a test puts it, and
// the object steps of a frame: items and effects, behaviour, bullets.
#include <algorithm>
#include <tuple>
#include <vector>

#include "world/bullets.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world_fixture.h"

// A bullet as the tests compare it.
struct Shot {
    int32_t kind, speed, look, start, angle;
    auto Key() const { return std::tie(kind, speed, look, start, angle); }
    bool operator<(const Shot& o) const { return Key() < o.Key(); }
    bool operator==(const Shot& o) const { return Key() == o.Key(); }
};

inline std::ostream& operator<<(std::ostream& os, const Shot& s) {
    return os << "{kind " << s.kind << " speed " << s.speed << " look " << s.look << " start "
              << s.start << " angle " << s.angle << "}";
}

class EnemyTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        for (int32_t k = 80; k < 192; ++k) DefineKind(k, 10);
        for (int32_t k : {104, 116, 126, 129, 134}) EnemyTypes[k].FinePosition = 1;
        for (int32_t k : {8, 9, 12}) DefineKind(k, 0);
        Park(100, 100);
    }
    static void Park(int32_t x, int32_t y) {
        Players[0].X = x;
        Players[0].Y = y;
    }
    // The object steps of one frame.
    static void Frame() {
        ItemPass();
        BehaviourPass();
        BulletPass();
    }
    static void Frames(int32_t n) {
        for (int32_t i = 0; i < n; ++i) Frame();
    }
    static bool IsBullet(const TWorldObject& o) {
        return o.Kind >= KindFirstBullet && o.Kind <= KindLastBullet;
    }
    // Every bullet in the table, sorted; the start distance assumes the one bullet-pass step
    // a bullet gets in the frame it is fired.
    static std::vector<Shot> Bullets() {
        std::vector<Shot> out;
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            const TWorldObject& o = Objects[s];
            if (!IsBullet(o)) continue;
            out.push_back({o.Kind, o.Frame, static_cast<int32_t>(BulletLook(o)),
                           o.HitPoints - o.Frame, o.Aim});
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    static int32_t CountBullets() {
        int32_t n = 0;
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) n += IsBullet(Objects[s]);
        return n;
    }
    static void ClearBullets() {
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            if (IsBullet(Objects[s])) Objects[s].Kind = KindFree;
        }
    }
    static void SetClasses(uint8_t c0, uint8_t c1, uint8_t c2, uint8_t c3 = ClassNormal) {
        ClassSettings[0] = c0;
        ClassSettings[1] = c1;
        ClassSettings[2] = c2;
        ClassSettings[3] = c3;
    }
    // Fills every free world slot with an inert object of a kind without rules.
    static void FillTable(int32_t leaveFree = 0) {
        for (int32_t s = LastWorldSlot; s >= FirstWorldSlot; --s) {
            if (Objects[s].Kind != KindFree) continue;
            if (leaveFree > 0) {
                --leaveFree;
                continue;
            }
            Objects[s].Kind = 150;
            Objects[s].State = StateInert;
        }
    }
};
