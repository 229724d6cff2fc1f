// The ship in a headless play of stage 1 under an input script, watched tick by tick
// through the dump's Ship record, object list and sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace {

// Character 0 (big twin shot, level 4; base anchor shot, level 28). Ticks of the script:
constexpr int PressA = 60, ReleaseA = 101;   // 40 frames held: a throw
constexpr int F4At = 160;                    // main shot level 7 (wide shot)
constexpr int PressB = 170, ReleaseB = 211;  // a spin
constexpr int DownFrom = 360, DownUntil = 421;
constexpr int PressC = 430;
constexpr int BothFrom = 440, BothUntil = 471;
constexpr int Ticks = 480;

const char* Script = R"(# ship under a script
60 Z down
101 Z up
160 F4 down
161 F4 up
170 X down
211 X up
360 Down down
421 Down up
430 C down
431 C up
440 Z down
440 X down
471 Z up
471 X up
)";

struct Tick {
    std::string ship, objects, sounds;
    int64_t Ship(const char* key) const { return e2e::IntField(ship, key); }
    // [slot, kind, x, y] of the ship shots (slots 0..63).
    std::vector<std::vector<int64_t>> Shots() const {
        std::vector<std::vector<int64_t>> out;
        for (const auto& o : e2e::ObjectList("{\"Objects\":" + objects + "}")) {
            if (o["slot"] < 64) out.push_back({o["slot"], o["kind"], o["x"], o["y"]});
        }
        return out;
    }
    int CountKind(int64_t kind) const {
        int n = 0;
        for (const auto& s : Shots()) n += s[1] == kind;
        return n;
    }
};

class ShipEndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::string dir = e2e::FreshDataDir();
        run_ = new e2e::RunResult(e2e::RunVorin(
            dir, {"--frames", std::to_string(Ticks), "--seed", "5", "--stage", "1"}, Script));
        std::filesystem::remove_all(dir);
        ticks_ = new std::vector<Tick>(1);  // index = tick
        for (const auto& line : run_->dump) {
            ticks_->push_back({e2e::RawField(line, "Ship"), e2e::RawField(line, "Objects"),
                               e2e::RawField(line, "Sounds")});
        }
    }
    static void TearDownTestSuite() {
        delete run_;
        delete ticks_;
    }
    void SetUp() override {
        ASSERT_EQ(run_->status, 0) << run_->errors;
        ASSERT_EQ(ticks_->size(), static_cast<size_t>(Ticks) + 1);
    }
    static const Tick& At(int t) { return (*ticks_)[t]; }
    static e2e::RunResult* run_;
    static std::vector<Tick>* ticks_;
};
e2e::RunResult* ShipEndToEnd::run_ = nullptr;
std::vector<Tick>* ShipEndToEnd::ticks_ = nullptr;

}  // namespace

TEST_F(ShipEndToEnd, EntersFromTheLeftThenFlies) {
    for (int t = 1; t <= 45; ++t) {
        ASSERT_FALSE(At(t).ship.empty()) << "no Ship record at tick " << t;
        EXPECT_EQ(At(t).Ship("state"), t < 45 ? 0 : 1) << t;
        EXPECT_EQ(At(t).Ship("x"), 80 - (t - 45) * (t - 45) / 9) << t;
        EXPECT_EQ(At(t).Ship("y"), 80 - t / 4) << t;
        EXPECT_EQ(At(t).Ship("invulnerable"), 600 - t);
    }
    EXPECT_EQ(At(1).Ship("x"), -135);
    EXPECT_EQ(At(45).Ship("anchorX"), 128);
    EXPECT_EQ(At(45).Ship("lives"), 2);
    EXPECT_EQ(At(45).Ship("mainLevel"), 4);
    EXPECT_EQ(At(45).Ship("anchorLevel"), 28);
    EXPECT_EQ(At(45).Ship("character"), 0);
    for (int t = 46; t < DownFrom; ++t) {
        ASSERT_EQ(At(t).Ship("x"), 80) << t;
        ASSERT_EQ(At(t).Ship("y"), 69) << t;
    }
}

TEST_F(ShipEndToEnd, ButtonAFiresTwentyFourFramesChargesAndThrows) {
    const Tick& first = At(PressA);
    EXPECT_EQ(first.Ship("volleys"), 1);
    EXPECT_EQ(first.Ship("fireFrames"), 23);
    EXPECT_EQ(first.Ship("speedMode"), 1);
    EXPECT_EQ(first.sounds, "[0]");
    // Fired this tick and moved once: big twin shot 7 pixels, anchor shot 6.
    const auto shots = first.Shots();
    ASSERT_EQ(shots.size(), 3u) << first.objects;
    EXPECT_EQ(shots[0], (std::vector<int64_t>{0, 18, 97, 61}));
    EXPECT_EQ(shots[1], (std::vector<int64_t>{1, 18, 97, 77}));
    EXPECT_EQ(shots[2], (std::vector<int64_t>{22, 24, 134, 69}));
    EXPECT_EQ(At(PressA + 23).Ship("volleys"), 4);  // ticks 60, 66, 72, 78
    EXPECT_EQ(At(ReleaseA - 1).Ship("volleys"), 4);
    // The charge sound at the 31st held frame, once; full charge is speed mode 3.
    for (int t = PressA + 1; t < ReleaseA; ++t) {
        EXPECT_EQ(At(t).Ship("chargeA"), t - PressA) << t;
        const bool charged = t == PressA + 31;
        EXPECT_EQ(At(t).sounds.find('6') != std::string::npos, charged) << t << At(t).sounds;
        EXPECT_EQ(At(t).Ship("speedMode"), t < PressA + 24 ? 1 : t < PressA + 31 ? 0 : 3) << t;
    }
    const Tick& thrown = At(ReleaseA);
    EXPECT_EQ(thrown.Ship("anchorState"), 1);
    EXPECT_EQ(thrown.Ship("multiplier"), 2);
    EXPECT_EQ(thrown.Ship("chargeA"), 0);
    EXPECT_EQ(thrown.Ship("launchX"), 80);
    EXPECT_EQ(thrown.Ship("volleys"), 4) << "a release does not fire";
}

TEST_F(ShipEndToEnd, ThrownAnchorFliesToTheEdgeAndComesBack) {
    for (int t = ReleaseA; t <= ReleaseA + 23; ++t) {
        const int64_t x = 128 + 8 * (t - ReleaseA + 1);
        EXPECT_EQ(At(t).Ship("anchorX"), x) << t;
        EXPECT_EQ(At(t).Ship("anchorY"), 69) << t;
        EXPECT_EQ(At(t).Ship("anchorState"), x > 312 ? 2 : 1) << t;
        // The trail shot dropped this tick sits where the anchor is.
        bool trail = false;
        for (const auto& s : At(t).Shots()) trail |= s[1] == 23 && s[2] == x;
        EXPECT_TRUE(trail) << t << " " << At(t).objects;
    }
    for (int t = ReleaseA + 24; t <= ReleaseA + 46; ++t) {
        EXPECT_EQ(At(t).Ship("anchorState"), 2) << t;
        EXPECT_EQ(At(t).Ship("anchorX"), 320 - 8 * (t - ReleaseA - 23)) << t;
    }
    // Landing exactly on the dock point lifts the anchor for a frame; it docks next frame.
    EXPECT_EQ(At(ReleaseA + 47).Ship("anchorY"), 61);
    EXPECT_EQ(At(ReleaseA + 48).Ship("anchorState"), 0);
    EXPECT_EQ(At(ReleaseA + 48).Ship("anchorX"), 128);
    EXPECT_EQ(At(ReleaseA + 48).Ship("anchorY"), 69);
}

TEST_F(ShipEndToEnd, F4GivesTheWideShotAndButtonBSpinsTheAnchor) {
    EXPECT_EQ(At(F4At - 1).Ship("mainLevel"), 4);
    EXPECT_EQ(At(F4At).Ship("mainLevel"), 7);
    EXPECT_EQ(At(PressB).CountKind(25), 7) << At(PressB).objects;
    EXPECT_EQ(At(PressB).CountKind(24), 1);
    EXPECT_EQ(At(PressB + 31).sounds, "[6]");
    const Tick& spin = At(ReleaseB);
    EXPECT_EQ(spin.Ship("anchorState"), 3);
    EXPECT_EQ(spin.Ship("anchorDistance"), 48);
    EXPECT_EQ(spin.Ship("anchorHeading"), 32);
    EXPECT_EQ(spin.Ship("multiplier"), 2);
    for (int t = ReleaseB; t < ReleaseB + 128; ++t) {
        ASSERT_EQ(At(t).Ship("anchorState"), 3) << t;
        ASSERT_EQ(At(t).Ship("anchorHeading"), (32 * (t - ReleaseB + 1)) & 1023) << t;
        ASSERT_GT(At(t).CountKind(23), 0) << t;
    }
    EXPECT_EQ(At(ReleaseB + 128).Ship("anchorState"), 2);
    EXPECT_EQ(At(ReleaseB + 129).Ship("anchorState"), 0);
}

TEST_F(ShipEndToEnd, FlyingDownStopsOnTheCavernFloor) {
    for (int t = DownFrom; t < DownUntil; ++t) {
        // 3 pixels a frame until the floor probe (y + 8) meets row 13 at 208: snapped to 200.
        ASSERT_EQ(At(t).Ship("y"), std::min<int64_t>(69 + 3 * (t - DownFrom + 1), 200)) << t;
        ASSERT_EQ(At(t).Ship("x"), 80);
    }
    EXPECT_EQ(At(DownUntil - 1).Ship("y"), 200) << "the tile row above the floor";
    EXPECT_EQ(At(DownUntil - 1).Ship("orbitAngle"), 768) << "the anchor trails above";
    EXPECT_EQ(At(DownUntil - 1).Ship("anchorY"), 152);
}

TEST_F(ShipEndToEnd, ButtonCLocksAndBothButtonsFireContinuously) {
    EXPECT_EQ(At(PressC - 1).Ship("anchorLock"), 0);
    EXPECT_EQ(At(PressC).Ship("anchorLock"), 1);
    EXPECT_EQ(At(PressC + 5).Ship("anchorLock"), 1);
    for (int t = BothFrom; t < BothUntil; ++t) {
        EXPECT_EQ(At(t).Ship("speedMode"), 2) << t;
        EXPECT_EQ(At(t).Ship("chargeA"), 0) << t;
        EXPECT_EQ(At(t).Ship("chargeB"), 0) << t;
    }
    EXPECT_EQ(At(BothUntil - 1).Ship("volleys") - At(BothFrom - 1).Ship("volleys"), 6);
    EXPECT_EQ(At(BothUntil).Ship("anchorState"), 0) << "no throw after continuous fire";
}
