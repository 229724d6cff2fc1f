// Each character's volleys at each weapon level: kinds, slots, positions, velocities, hit
// groups, params, cooldowns and sounds, and the slot windows when slots are busy.
#include <algorithm>
#include <string>

#include "ship_fixture.h"
#include "world/spawn.h"
#include "world/tables.h"

namespace {
// One expected shot; dx, dy relative to the ship (main shot) or the anchor (anchor weapon).
struct Want {
    int32_t slot, kind, dx, dy, vx, vy, group, param;
};

class WeaponTest : public ShipTest {
  protected:
    static constexpr int32_t ShipX = 100, ShipY = 120;
    static constexpr int32_t AnchorX = 150, AnchorY = 100;
    static constexpr int32_t Heading = 100, Orbit = 300;

    void SetUp() override {
        ShipTest::SetUp();
        StartFlying(ShipX, ShipY);
        Ship().AnchorX = AnchorX;
        Ship().AnchorY = AnchorY;
        Ship().AnchorHeading = Heading;
        Ship().OrbitAngle = Orbit;
    }
    // The ship's slots hold exactly these shots.
    static void ExpectShots(const std::vector<Want>& want, int32_t ox, int32_t oy,
                            const std::string& what) {
        int32_t busy = 0;
        for (int32_t s = 0; s <= LastShotSlot; ++s) busy += Objects[s].Kind != 0;
        EXPECT_EQ(busy, static_cast<int32_t>(want.size())) << what;
        for (const Want& w : want) {
            const TWorldObject& o = Objects[w.slot];
            const std::string at = what + ", slot " + std::to_string(w.slot);
            EXPECT_EQ(o.Kind, w.kind) << at;
            EXPECT_EQ(o.X, ox + w.dx) << at;
            EXPECT_EQ(o.Y, oy + w.dy) << at;
            EXPECT_EQ(o.FineX, (ox + w.dx) * 16) << at;
            EXPECT_EQ(o.FineY, (oy + w.dy) * 16) << at;
            EXPECT_EQ(o.VelocityX, w.vx) << at;
            EXPECT_EQ(o.VelocityY, w.vy) << at;
            EXPECT_EQ(o.Parent, w.group) << at;
            EXPECT_EQ(o.Param, w.param) << at;
            EXPECT_EQ(o.Age, 0) << at;
            EXPECT_EQ(o.HitBox.Left, ShotType(w.kind).HitBox.Left) << at;
            EXPECT_EQ(o.HitBox.Bottom, ShotType(w.kind).HitBox.Bottom) << at;
        }
    }
    static void ClearShots() {
        for (int32_t s = 0; s <= LastShotSlot; ++s) Objects[s].Kind = 0;
    }
    static void Busy(std::initializer_list<int32_t> slots) {
        for (int32_t s : slots) Objects[s].Kind = ShotKind::Trail;
    }
};
}  // namespace

TEST_F(WeaponTest, MainShotVolleysAtEveryLevel) {
    const struct {
        int32_t level, cooldown;
        std::vector<Want> shots;
    } levels[] = {
        {0, 6, {{0, 16, 10, -8, 112, 0, 0, 0}, {1, 16, 10, 8, 112, 0, 1, 0}}},
        {1,
         6,
         {{0, 20, 8, -11, 96, -48, 0, 0},
          {1, 20, 8, 11, 96, 48, 1, 1},
          {2, 16, 10, -8, 112, 0, 2, 0},
          {3, 16, 10, 8, 112, 0, 3, 0}}},
        {2,
         6,
         {{0, 20, 8, -11, 96, -48, 0, 0},
          {1, 20, 8, 11, 96, 48, 1, 1},
          {2, 17, 10, -13, 112, 0, 2, 0},
          {3, 17, 10, 13, 112, 0, 3, 0}}},
        {3, 6, {{0, 18, 10, -8, 112, 0, 0, 0}, {1, 18, 10, 8, 112, 0, 1, 0}}},
        {4, 6, {{0, 18, 10, -8, 112, 0, 0, 0}, {1, 18, 10, 8, 112, 0, 1, 0}}},
        {5,
         6,
         {{6, 25, 10, 0, 107, -34, 8, 973},
          {9, 25, 10, 0, 112, 0, 12, 0},
          {12, 25, 10, 0, 107, 34, 16, 51}}},
        {6,
         6,
         {{3, 25, 10, 0, 91, -66, 4, 922},
          {6, 25, 10, 0, 107, -34, 8, 973},
          {9, 25, 10, 0, 112, 0, 12, 0},
          {12, 25, 10, 0, 107, 34, 16, 51},
          {15, 25, 10, 0, 91, 66, 20, 102}}},
        {7,
         6,
         {{0, 25, 10, 0, 66, -90, 0, 871},
          {3, 25, 10, 0, 91, -66, 4, 922},
          {6, 25, 10, 0, 107, -34, 8, 973},
          {9, 25, 10, 0, 112, 0, 12, 0},
          {12, 25, 10, 0, 107, 34, 16, 51},
          {15, 25, 10, 0, 91, 66, 20, 102},
          {18, 25, 10, 0, 66, 90, 24, 153}}},
        {8,
         8,
         {{0, 19, 10, -8, 96, 0, 0, 0}, {1, 19, 10, 8, 96, 0, 1, 0}, {6, 22, 0, 0, 32, 64, 0, 3}}},
        {9,
         8,
         {{0, 19, 10, -8, 96, 0, 0, 0},
          {1, 19, 10, 8, 96, 0, 1, 0},
          {6, 22, 0, 0, 32, 64, 0, 3},
          {10, 22, 0, 0, 32, -64, 0, 13}}},
        {10,
         8,
         {{0, 19, 10, -8, 96, 0, 0, 0},
          {1, 19, 10, 8, 96, 0, 1, 0},
          {6, 22, 0, 0, 32, 64, 0, 3},
          {10, 22, 0, 0, 32, -64, 0, 13},
          {14, 22, 0, 0, -32, 64, 0, 5},
          {18, 22, 0, 0, -32, -64, 0, 11}}},
        {11, 2, {{0, 44, 0, 0, 160, 0, 0, 0}}},
        {12, 2, {{0, 45, 0, 0, 160, 0, 0, 0}}},
        {13, 2, {{0, 46, 0, 0, 160, 0, 0, 0}}},
    };
    for (const auto& l : levels) {
        ClearShots();
        ClearPlayReport();
        Ship().Volleys = 0;
        Ship().MainCooldown = 0;
        MainShot(0, l.level);
        const std::string what = "main level " + std::to_string(l.level);
        ExpectShots(l.shots, ShipX, ShipY, what);
        EXPECT_EQ(Ship().MainCooldown, l.cooldown) << what;
        EXPECT_EQ(Ship().Volleys, 1) << what;
        const int32_t sound = l.level <= 10 ? Sfx::ShotNormal : Sfx::Laser;
        EXPECT_EQ(CountSounds(sound), 1) << what;
        EXPECT_EQ(SoundCount(), 1) << what;
    }
    ClearShots();
    MainShot(0, 14);  // no main shot above 13
    ExpectShots({}, ShipX, ShipY, "level 14");
}

TEST_F(WeaponTest, AnchorWeaponVolleysAtEveryLevel) {
    const struct {
        int32_t level, cooldown;
        std::vector<Want> shots;
    } levels[] = {
        {14, 6, {{20, 24, 0, 0, 78, 55, 20, 0}}},
        {18, 6, {{20, 24, 0, 0, 78, 55, 20, 0}}},
        {28, 6, {{22, 24, 0, 0, 78, 55, 22, 0}}},
        {16,
         24,
         {{20, 39, 0, 0, 32, -5, 20, 996},
          {21, 39, 0, 0, 26, 18, 21, 100},
          {22, 39, 0, 0, 5, 32, 22, 228}}},
        {17, 0, {}},
        {19, 6, {{10, 32, 0, 0, 0, 0, -10, 0}}},
        {20, 6, {{10, 32, 0, 0, 0, 0, -10, 1}}},
        {21, 6, {{10, 32, 0, 0, 0, 0, -10, 2}}},
        // The bound shot's first shot follows the orbit angle, the others the heading.
        {22, 6, {{10, 26, 0, 0, -26, 93, 10, 8}, {11, 26, 0, 0, 78, 55, 11, 8}}},
        {23,
         6,
         {{10, 26, 0, 0, -26, 93, 10, 8},
          {11, 26, 0, 0, 84, 47, 11, 8},
          {12, 26, 0, 0, 73, 63, 12, 8}}},
        {24,
         6,
         {{10, 26, 0, 0, -26, 93, 10, 8},
          {11, 26, 0, 0, 78, 55, 11, 8},
          {12, 26, 0, 0, 84, 47, 12, 8},
          {13, 26, 0, 0, 73, 63, 13, 8}}},
        {25, 0, {}},
        {26, 0, {}},
        {27, 0, {}},
    };
    for (const auto& l : levels) {
        ClearShots();
        ClearPlayReport();
        Ship().AnchorCooldown = 0;
        AnchorWeapon(0, l.level);
        const std::string what = "anchor level " + std::to_string(l.level);
        ExpectShots(l.shots, AnchorX, AnchorY, what);
        EXPECT_EQ(Ship().AnchorCooldown, l.cooldown) << what;
        EXPECT_EQ(SoundCount(), 0) << what;
        EXPECT_EQ(Ship().Volleys, 0) << what;
    }
}

TEST_F(WeaponTest, BombsScatterWithinEightStepsOfTheHeading) {
    int32_t lowest = 1024, highest = -1;
    for (int32_t i = 0; i < 200; ++i) {
        ClearShots();
        AnchorWeapon(0, 15);
        EXPECT_EQ(Ship().AnchorCooldown, 8);
        const TWorldObject& b = Objects[20];
        ASSERT_EQ(b.Kind, ShotKind::Bomb);
        EXPECT_EQ(b.Parent, 20);
        EXPECT_EQ(b.X, AnchorX);
        lowest = std::min(lowest, b.Param);
        highest = std::max(highest, b.Param);
        EXPECT_EQ(b.VelocityX, RoundEven(64.0 * CosTable[b.Param]));
        EXPECT_EQ(b.VelocityY, RoundEven(64.0 * SinTable[b.Param]));
    }
    EXPECT_EQ(lowest, Heading - 8);
    EXPECT_EQ(highest, Heading + 8);
    // Around angle 0 the scatter wraps.
    Ship().AnchorHeading = 2;
    for (int32_t i = 0; i < 100; ++i) {
        ClearShots();
        AnchorWeapon(0, 15);
        const int32_t p = Objects[20].Param;
        EXPECT_TRUE(p <= 10 || p >= 1018) << p;
    }
}

TEST_F(WeaponTest, MainShotSlotWindows) {
    Busy({2});
    MainShot(0, 0);
    EXPECT_EQ(Objects[4].Kind, 16) << "window 0..3 has a busy slot";
    EXPECT_EQ(Objects[5].Kind, 16);
    ClearShots();
    Busy({1});
    MainShot(0, 3);
    EXPECT_EQ(Objects[2].Kind, 18);
    EXPECT_EQ(Objects[3].Kind, 18);
    // Wide shot: each direction its own window; a full window loses only that shot.
    ClearShots();
    Busy({0, 1, 2, 9, 10});
    Ship().Volleys = 0;
    MainShot(0, 7);
    EXPECT_EQ(Objects[11].Kind, 25);
    EXPECT_EQ(Objects[11].Param, 0);
    EXPECT_EQ(Objects[11].Parent, 14) << "slot 11 + j 0 + 3";
    EXPECT_EQ(CountShotKind(25), 6);
    EXPECT_EQ(Ship().Volleys, 1);
    // Ground missiles do not need the pair.
    ClearShots();
    Busy({0, 1, 2, 3, 4, 5, 6});
    MainShot(0, 8);
    EXPECT_EQ(CountShotKind(19), 0);
    EXPECT_EQ(Objects[7].Kind, 22);
    EXPECT_EQ(Ship().Volleys, 2);
    // Laser: first free slot of 0..21.
    ClearShots();
    Busy({0, 1, 2});
    MainShot(0, 11);
    EXPECT_EQ(Objects[3].Kind, 44);
}

TEST_F(WeaponTest, FullWindowsStillSetTheCooldownButFireNothing) {
    const struct {
        int32_t level, cooldown;
        std::vector<int32_t> busy;
    } cases[] = {
        {0, 6, {0, 4, 8, 12, 16}},
        {2, 6, {3, 7, 11, 15, 19}},
        {4, 6, {0, 3, 4, 7, 9}},
        {5, 6, {6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {10, 8, {0, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
        {12, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
    };
    for (const auto& c : cases) {
        ClearShots();
        for (int32_t s : c.busy) Objects[s].Kind = ShotKind::Trail;
        ClearPlayReport();
        Ship().Volleys = 3;
        Ship().MainCooldown = 0;
        MainShot(0, c.level);
        const std::string what = "level " + std::to_string(c.level);
        EXPECT_EQ(Ship().MainCooldown, c.cooldown) << what;
        EXPECT_EQ(Ship().Volleys, 3) << what;
        EXPECT_EQ(SoundCount(), 0) << what;
        int32_t busy = 0;
        for (int32_t s = 0; s <= LastShotSlot; ++s) busy += Objects[s].Kind != 0;
        EXPECT_EQ(busy, static_cast<int32_t>(c.busy.size())) << what;
    }
    const struct {
        int32_t level, cooldown;
        std::vector<int32_t> busy;
    } anchorCases[] = {
        {14, 6, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}},
        {28, 6, {22, 23, 24, 25, 26, 27, 28, 29, 30, 31}},
        {15, 8, {20, 21, 22, 23, 24, 25, 26, 27}},
        {16, 24, {22, 25, 28, 31}},
        {19, 6, {10}},
        {23, 6, {13, 17, 21, 25, 29}},
    };
    for (const auto& c : anchorCases) {
        ClearShots();
        for (int32_t s : c.busy) Objects[s].Kind = ShotKind::Trail;
        Ship().AnchorCooldown = 0;
        AnchorWeapon(0, c.level);
        const std::string what = "anchor level " + std::to_string(c.level);
        EXPECT_EQ(Ship().AnchorCooldown, c.cooldown) << what;
        int32_t busy = 0;
        for (int32_t s = 0; s <= LastShotSlot; ++s) busy += Objects[s].Kind != 0;
        EXPECT_EQ(busy, static_cast<int32_t>(c.busy.size())) << what;
    }
    // The last drill window (29..31) and an outer base slot are still used.
    ClearShots();
    Busy({20, 23, 26});
    AnchorWeapon(0, 16);
    EXPECT_EQ(Objects[29].Kind, 39);
    EXPECT_EQ(Objects[31].Kind, 39);
    EXPECT_EQ(Objects[31].Parent, 31);
    ClearShots();
    Busy({10, 14});
    AnchorWeapon(0, 22);
    EXPECT_EQ(Objects[18].Kind, 26);
    EXPECT_EQ(Objects[19].Kind, 26);
}

TEST_F(WeaponTest, LaserSoundEveryThirdVolleyAndAlternatingFrames) {
    std::vector<int32_t> sounds, frames;
    for (int32_t v = 0; v < 7; ++v) {
        ClearShots();
        ClearPlayReport();
        MainShot(0, 12);
        sounds.push_back(CountSounds(Sfx::Laser));
        frames.push_back(Objects[0].Frame);
    }
    EXPECT_EQ(sounds, (std::vector<int32_t>{1, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(frames, (std::vector<int32_t>{0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(Ship().Volleys, 7);
}

TEST_F(WeaponTest, SecondShipUsesItsOwnSlots) {
    Players[1] = Ship();
    MainShot(1, 0);
    EXPECT_EQ(Objects[32].Kind, 16);
    EXPECT_EQ(Objects[32].Parent, 32);
    EXPECT_EQ(Objects[33].Parent, 33);
    EXPECT_EQ(Objects[0].Kind, 0);
    AnchorWeapon(1, 19);
    EXPECT_EQ(Objects[42].Kind, 32);
    EXPECT_EQ(Objects[42].Parent, -42);
    MainShot(1, 10);
    EXPECT_EQ(Objects[38].Kind, 22);
    EXPECT_EQ(Objects[38].Parent, 32) << "missiles share the ship's group";
}

TEST_F(WeaponTest, FiringThroughTheShipUpdateUsesEachCharactersStartLevels) {
    const struct {
        uint8_t main, anchor;
        int32_t mainKind, anchorKind;
    } characters[] = {{4, 28, 18, 24}, {0, 14, 16, 24}, {3, 18, 18, 24}};
    for (const auto& c : characters) {
        ClearShots();
        StartFlying(ShipX, ShipY, c.main, c.anchor);
        Step();        // B up, so that the next frame presses it
        Step({BtnB});  // a press of B fires both weapons at once
        EXPECT_EQ(CountShotKind(c.mainKind), 2);
        EXPECT_EQ(CountShotKind(c.anchorKind), 1);
        EXPECT_EQ(Ship().MainCooldown, 5);
        EXPECT_EQ(Ship().AnchorCooldown, 5);
        EXPECT_EQ(Ship().FireFrames, 23);
    }
}
