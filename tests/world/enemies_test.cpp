// Enemy behaviour: each firing kind's first volley, the movers with a story (ring burster,
// path follower, hopper, homing missile, mine, launcher, carrier, fortress parts) and the
// common steps of the behaviour pass.
#include <cstdlib>

#include "enemy_fixture.h"
#include "world/state.h"
#include "world/tables.h"
#include "zvrandom.h"

namespace {

struct Volley {
    int32_t kind;
    int32_t age;  // of the first volley
    // Each bullet with its class.
    std::vector<std::pair<Shot, int32_t>> shots;
};

std::vector<std::pair<Shot, int32_t>> FanShots(int32_t cls, int32_t step, int32_t count,
                                               int32_t look, int32_t kind, int32_t speed,
                                               int32_t start, int32_t centre) {
    std::vector<std::pair<Shot, int32_t>> out;
    for (int32_t o = 0; o < count; ++o) {
        const int32_t a = (centre + step * o - step * (count - 1) / 2) & 1023;
        out.push_back({{kind, speed, look, start, a}, cls});
    }
    return out;
}

std::vector<std::pair<Shot, int32_t>> Join(
    std::vector<std::vector<std::pair<Shot, int32_t>>> parts) {
    std::vector<std::pair<Shot, int32_t>> out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The enemy starts at (200, 100), the ship is parked at (0, 100): the aim is 512.
std::vector<Volley> Volleys() {
    std::vector<std::pair<Shot, int32_t>> ringShots;
    for (int32_t i = 0; i < 16; ++i) ringShots.push_back({{50, 24, 0, 0, 64 * i}, 0});
    return {
        {80, 60, {{{48, 16, 1, 0, 512}, 0}}},
        {81, 60, {{{50, 32, 1, 0, 512}, 0}}},
        {82, 12, {{{49, 32, 0, 0, 0}, 0}}},
        {83, 60, {{{51, 24, 3, 0, 256}, 0}, {{51, 24, 3, 0, 768}, 0}}},
        {84, 40, {{{51, 48, 0, 0, 512}, 0}, {{51, 16, 2, 0, 512}, 0}}},
        {86, 120, ringShots},
        {87, 120, {{{50, 32, 1, 0, 576}, 0}, {{50, 32, 1, 0, 512}, 0}, {{50, 32, 1, 0, 448}, 0}}},
        {89, 60,
         Join({FanShots(0, 128, 8, 0, 50, 24, 0, 0), FanShots(1, 128, 8, 0, 50, 24, 0, 64)})},
        // Hell scaling off; at age 0 it drops its first trail piece (lifetime 1024 / 64).
        {90, 40, {{{56, 64, 2, 0, 256}, 0}, {{63, 0, 2, 0, 256}, 0}}},
        {100, 360, {{{50, 64, 0, 8, 512}, 0}}},
        {101, 60,
         Join({{{{49, 16, 3, 8, 512}, 0}},
               FanShots(1, 32, 3, 3, 49, 14, 8, 512),
               FanShots(2, 32, 5, 3, 49, 12, 8, 512)})},
        // 114 starts at param 0 and turns 4 a frame toward the aim: 60 by age 15; 115 starts
        // at 512, as 101 does, on the aim already.
        {114, 15, {{{49, 16, 2, 8, 60}, 0}}},
        {115, 15, {{{49, 16, 2, 8, 512}, 0}}},
        {128, 15, {{{50, 32, 1, 8, 512}, 0}, {{50, 30, 1, 8, 496}, 1}, {{50, 34, 1, 8, 528}, 1}}},
    };
}

void PrintTo(const Volley& v, std::ostream* os) {
    *os << "kind " << v.kind;
}

class VolleyTest : public EnemyTest, public ::testing::WithParamInterface<Volley> {};

TEST_P(VolleyTest, FirstVolleyOnItsFrameWithItsBulletsAndClasses) {
    const Volley& v = GetParam();
    Park(0, 100);
    const int32_t slot = SpawnObject(200, 100, v.kind, 0);
    for (int32_t age = 1; age < v.age; ++age) {
        Frame();
        ASSERT_EQ(CountBullets(), 0) << "kind " << v.kind << " fired early at age " << age;
    }
    // The volley, under each single class switched on.
    const std::vector<TWorldObject> before(Objects, Objects + ObjectCount);
    for (int32_t cls = -1; cls < 3; ++cls) {
        std::copy(before.begin(), before.end(), Objects);
        if (cls < 0) {
            SetClasses(ClassNormal, ClassNormal, ClassNormal);
        } else {
            SetClasses(cls == 0 ? ClassNormal : ClassOff, cls == 1 ? ClassNormal : ClassOff,
                       cls == 2 ? ClassNormal : ClassOff);
        }
        Frame();
        ASSERT_EQ(Objects[slot].Age, v.age);
        std::vector<Shot> want;
        for (const auto& [shot, c] : v.shots) {
            if (cls < 0 || c == cls) want.push_back(shot);
        }
        std::sort(want.begin(), want.end());
        EXPECT_EQ(Bullets(), want) << "kind " << v.kind << " class " << cls;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, VolleyTest, ::testing::ValuesIn(Volleys()),
                         [](const auto& info) { return std::to_string(info.param.kind); });

using EnemyBehaviourTest = EnemyTest;

TEST_F(EnemyBehaviourTest, RingBursterFiresOnceAtAge120) {
    SpawnObject(300, 100, 86, 0);
    Objects[64].Bounds.MinX = -2000;  // keep it alive as long as the test runs
    int32_t volleys = 0;
    for (int32_t age = 1; age <= 600; ++age) {
        Frame();
        const int32_t n = CountBullets();
        if (n > 0) {
            EXPECT_EQ(age, 120);
            EXPECT_EQ(n, 16);
            ++volleys;
            ClearBullets();
        }
    }
    EXPECT_EQ(volleys, 1);
}

TEST_F(EnemyBehaviourTest, PathFollowerWalksItsWholeString) {
    struct Case {
        int32_t param, frames, dx, dy, lowest, highest;
    };
    // Two pixels a frame per axis; each character lasts 3 frames.
    const Case cases[] = {
        {0, 78, -156, 0, -40, 8},  // up-left, left, down-left, left, back up
        {1, 78, -156, 0, -8, 40},  // the mirror image
        {2, 99, -156, 48, 0, 48},  // down, then left
    };
    for (const Case& c : cases) {
        ResetWorld();
        for (int32_t k = 80; k < 192; ++k) DefineKind(k, 10);
        EnemyTypes[116].FinePosition = 1;
        const int32_t slot = SpawnObject(250, 120, 116, c.param);
        int32_t lowest = 0, highest = 0;
        for (int32_t i = 0; i < c.frames; ++i) {
            Frame();
            lowest = std::min(lowest, Objects[slot].Y - 120);
            highest = std::max(highest, Objects[slot].Y - 120);
        }
        EXPECT_EQ(Objects[slot].X - 250, c.dx) << "string " << c.param;
        EXPECT_EQ(Objects[slot].Y - 120, c.dy) << "string " << c.param;
        EXPECT_EQ(lowest, c.lowest) << "string " << c.param;
        EXPECT_EQ(highest, c.highest) << "string " << c.param;
    }
    // "T" points up-left: frame (32 * 20 - 32) >> 6.
    ResetWorld();
    for (int32_t k = 80; k < 192; ++k) DefineKind(k, 10);
    SpawnObject(250, 120, 116, 0);
    Frame();
    EXPECT_EQ(Objects[64].Frame, 9);
}

// Predicts the hopper's destination draw: x before y, drawn again while too close.
struct Spot {
    int32_t dx, dy, draws;
};
Spot PredictSpot(int32_t x, int32_t y) {
    const uint32_t saved = RandSeed;
    Spot s{0, 0, 0};
    do {
        s.dx = 20 + random(280);
        s.dy = 20 + random(200);
        ++s.draws;
    } while (std::abs(x - s.dx) <= 80 && std::abs(y - s.dy) < 81);
    RandSeed = saved;
    return s;
}

TEST_F(EnemyBehaviourTest, HopperMakesThreeHopsThenLeaves) {
    Park(40, 200);
    const int32_t slot = SpawnObject(160, 120, EnemyKind::HoppingGunship, 0);
    TWorldObject& h = Objects[slot];
    int32_t redraws = 0, hops = 0;
    std::vector<int32_t> phaseAges;
    int32_t lastParam = 0;
    for (int32_t age = 1; age <= 420; ++age) {
        if (h.Param <= 9 && h.Param % 3 == 0) {
            // A destination is chosen this frame.
            const Spot s = PredictSpot(h.X, h.Y);
            redraws += s.draws - 1;
            const int32_t x = h.X, y = h.Y;
            Frame();
            ++hops;
            EXPECT_EQ(h.VelocityX, (s.dx - x) * 16 / 60);
            EXPECT_EQ(h.VelocityY, (s.dy - y) * 16 / 60);
            EXPECT_EQ(h.Aim, GetAngle(x, y, s.dx, s.dy));
        } else {
            const bool travelling = h.Param % 3 == 1 && h.Param <= 9;
            const int32_t frame = (AimAtShip(h.X, h.Y) >> 6) & 15;
            Frame();
            EXPECT_EQ(h.Frame, frame) << age;
            int32_t fired = 0;  // bullets of this frame: the others are older
            for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
                fired += IsBullet(Objects[s]) && Objects[s].Age == 0;
            }
            if (travelling && age % 12 == 0) {
                EXPECT_EQ(fired, 1) << age;
            } else if (!travelling && h.Param <= 9 && age % 60 == 30) {
                EXPECT_EQ(fired, 3) << age;
            } else {
                EXPECT_EQ(fired, 0) << age;
            }
        }
        if (h.Param != lastParam) phaseAges.push_back(age);
        lastParam = h.Param;
        if (age > 361) {
            // Leaving by the nearer side, 2 pixels a frame, in a straight line.
            ASSERT_EQ(h.Param, 10);
        }
    }
    EXPECT_EQ(hops, 4);
    EXPECT_EQ(phaseAges, (std::vector<int32_t>{1, 60, 120, 121, 180, 240, 241, 300, 360, 361}));
    EXPECT_GT(redraws, 0) << "pick a seed where a destination is drawn again";
}

TEST_F(EnemyBehaviourTest, HopperLeavesByTheNearerSide) {
    for (int32_t x : {100, 200}) {
        const int32_t slot = SpawnObject(x, 120, EnemyKind::HoppingGunship, 10);
        Objects[slot].Param = 10;
        Frame();
        EXPECT_EQ(Objects[slot].FineX, x * 16 + (x > 159 ? 32 : -32));
        Objects[slot].Kind = KindFree;
    }
}

TEST_F(EnemyBehaviourTest, MissileTurnsEightAFrameUntilAge600) {
    Park(200, 100);
    const int32_t slot = SpawnObject(100, 100, 91, 768);  // heading up, the ship to the right
    Objects[slot].Param = 768;
    Frame();
    EXPECT_EQ(Objects[slot].Param, 776);
    EXPECT_EQ(Objects[slot].Y, 97);  // 48 / 16 up
    EXPECT_EQ(Objects[slot].Frame, ((776 + 32) >> 6) & 15);
    Objects[slot].Age = 599;
    Objects[slot].Param = 768;
    Frame();
    EXPECT_EQ(Objects[slot].Param, 768) << "no turning from age 600";
}

TEST_F(EnemyBehaviourTest, MissileCrossingTheEdgeIsRemovedInTheSameFrame) {
    struct Case {
        int32_t x, y, heading;
        bool removed;
    };
    const Case cases[] = {
        {3, 100, 512, false},  // fine x 0: still on
        {2, 100, 512, true},   // fine x -16
        {100, 2, 768, true},   // past the top
        {100, 3, 768, false},
    };
    for (const Case& c : cases) {
        // The ship straight ahead: no turning.
        Park(c.heading == 512 ? -50 : c.x, c.heading == 512 ? c.y : -50);
        const int32_t slot = SpawnObject(c.x, c.y, 91, 0);
        Objects[slot].Param = c.heading;
        Frame();
        EXPECT_EQ(Objects[slot].Kind == KindFree, c.removed) << c.x << "," << c.y;
        Objects[slot].Kind = KindFree;
    }
}

TEST_F(EnemyBehaviourTest, MineBurstsAwayFromTheEdgeItReaches) {
    struct Case {
        int32_t x, y, centre;
    };
    const Case cases[] = {
        {2, 100, 0},   {3, 100, 0},     {317, 100, 512},
        {150, 3, 256}, {150, 237, 768}, {2, 2, 0},  // a corner: x is tested first
    };
    for (const Case& c : cases) {
        ClearBullets();
        const int32_t slot = SpawnObject(c.x, c.y, 126, 0);
        Objects[slot].VelocityX = Objects[slot].VelocityY = 0;
        Frame();
        std::vector<int32_t> angles;
        for (const Shot& s : Bullets()) {
            EXPECT_EQ(s.kind, 51);
            EXPECT_EQ(s.speed, 32);
            EXPECT_EQ(s.look, 1);
            angles.push_back(s.angle);
        }
        std::vector<int32_t> want = {(c.centre - 128) & 1023, c.centre, (c.centre + 128) & 1023};
        std::sort(want.begin(), want.end());
        EXPECT_EQ(angles, want) << c.x << "," << c.y;
        Objects[slot].Kind = KindFree;
    }
    // Inside the edges nothing happens.
    ClearBullets();
    SpawnObject(4, 4, 126, 0);
    Objects[64].VelocityX = Objects[64].VelocityY = 0;
    Frame();
    EXPECT_EQ(CountBullets(), 0);
}

TEST_F(EnemyBehaviourTest, TurretsTurnTowardTheShipWithinTheirRange) {
    struct Case {
        int32_t kind, shipX, shipY, frames, want;
    };
    const Case cases[] = {
        {128, 100, 0, 4, 512 + 32},  // up-left (aim ~ 650): turns up
        {128, 100, 200, 4, 512},     // down-left (aim < 512): stays
        {101, 100, 0, 4, 512 + 16},  // 4 a frame
        {101, 300, 99, 200, 1020},   // just above straight right: up to its limit
        {114, 0, 99, 200, 512},      // just above straight left: up to its limit
    };
    for (const Case& c : cases) {
        ResetWorld();
        for (int32_t k = 80; k < 192; ++k) DefineKind(k, 10);
        Park(c.shipX, c.shipY);
        const int32_t slot = SpawnObject(200, 100, c.kind, 0);
        Frames(c.frames);
        const TWorldObject& t = Objects[slot];
        EXPECT_EQ(c.kind == 128 ? t.Aim : t.Param, c.want) << c.kind << " ship " << c.shipX;
    }
}

TEST_F(EnemyBehaviourTest, CarrierReleasesItsHull480FramesBeforeTheBoss) {
    StageNo = 1;
    const int32_t release = StageInfo(1).BossPosition - 480;
    const int32_t slot = SpawnObject(100, 60, 94, 0);
    Objects[slot].Layer = 1;
    Objects[slot].Age = release - 2;
    Frame();
    EXPECT_EQ(CountKind(95), 0);
    Frame();
    EXPECT_EQ(CountKind(95), 1);
    EXPECT_EQ(Objects[slot].Layer, 3);
    const int32_t hull = slot + 1;
    const int32_t hullX = Objects[slot].X;
    EXPECT_EQ(Objects[hull].X, hullX);
    // A higher slot: the hull already took its first step (age 0) in the release frame. It
    // sinks one pixel every 4 frames until age 100, then flies right from age 111.
    EXPECT_EQ(Objects[hull].Y, 61);
    Frames(110);
    EXPECT_EQ(Objects[hull].Y, 60 + 25);
    EXPECT_EQ(Objects[hull].Frame, 0);
    EXPECT_EQ(Objects[hull].X, hullX);
    Frame();
    EXPECT_EQ(Objects[hull].Frame, 1);
    EXPECT_EQ(Objects[hull].X, hullX + 1);
}

TEST_F(EnemyBehaviourTest, SlidingGunMovesItsOffsetAndFollowsItsParent) {
    const int32_t parent = SpawnObject(200, 100, 96, 0);
    const int32_t gun = SpawnObject(120, 118, 100, 0);
    AttachToParent(gun, parent);
    Objects[gun].Age = 299;
    Frames(60);  // c = 300..359: 20 steps left
    EXPECT_EQ(Objects[gun].FineX, -100);
    Objects[parent].X = 210;
    Frame();
    EXPECT_EQ(Objects[gun].X, 110);
    EXPECT_EQ(Objects[gun].Y, 118);
    Frames(200);  // through c = 560: back to the start
    EXPECT_EQ(Objects[gun].FineX, -80);
}

TEST_F(EnemyBehaviourTest, HatchLaunchesMissilesHeadingUp) {
    const int32_t hatch = SpawnObject(200, 100, 102, 0);
    Objects[hatch].Age = 389;  // c = 390: open, and age mod 50 = 40
    Frame();
    EXPECT_EQ(Objects[hatch].Frame, 4);
    ASSERT_EQ(Objects[hatch + 1].Kind, 91);
    // Its first step in the same pass: up 3 pixels, turning 8 toward the ship (left).
    EXPECT_EQ(Objects[hatch + 1].Param, 760);
    EXPECT_EQ(Objects[hatch + 1].Y, 97);
    Frames(49);
    EXPECT_EQ(CountKind(91), 1);
    Frame();
    EXPECT_EQ(CountKind(91), 2);
}

TEST_F(EnemyBehaviourTest, RotatingPartSendsDronesOnlyWhileRegisterAIsOne) {
    const int32_t part = SpawnObject(150, 100, 103, 0);
    Frame();
    EXPECT_EQ(Objects[part].FineX, 16 + 4);
    EXPECT_EQ(Objects[part].FineY, -35);
    EXPECT_EQ(Objects[part].Param, 16);
    Frames(400);
    EXPECT_EQ(CountKind(104), 0);
    WorldRegA = 1;
    Objects[part].Age = 180 - part - 1 + 180;  // (age + slot) mod 180 = 0 next frame
    Frame();
    EXPECT_EQ(CountKind(104), 1);
}

TEST_F(EnemyBehaviourTest, DroneRisesThenFliesLeftAtARandomSpeed) {
    const int32_t slot = SpawnObject(150, 150, 104, 0);
    Frames(49);
    EXPECT_EQ(Objects[slot].Y, 150 - 2 * 49);
    EXPECT_EQ(Objects[slot].Param, 0);
    const uint32_t saved = RandSeed;
    const int32_t speed = 8 + random(16);
    const int32_t wobble = random(32) - 16;
    RandSeed = saved;
    const int32_t fx = Objects[slot].FineX, fy = Objects[slot].FineY;
    Frame();
    EXPECT_EQ(Objects[slot].Param, speed);
    EXPECT_EQ(Objects[slot].FineX, fx - speed);
    EXPECT_EQ(Objects[slot].FineY, fy + wobble);
}

TEST_F(EnemyBehaviourTest, CommonStepsInertDyingAndBounds) {
    // State 5 keeps its place even outside its bounds; other states are removed there.
    const int32_t inert = SpawnObject(500, 100, 88, 0);
    Objects[inert].State = StateInert;
    const int32_t active = SpawnObject(400, 100, 88, 0);  // walks right past 400
    Frame();
    EXPECT_EQ(Objects[inert].Kind, 88);
    EXPECT_EQ(Objects[inert].X, 500);
    EXPECT_EQ(Objects[active].Kind, KindFree);
    // Fine position truncates toward zero.
    const int32_t debris = SpawnObject(100, 0, 134, 0);
    Objects[debris].FineY = -17;  // -1.06 pixels
    Objects[debris].Age = 3;      // next step + 0
    Frame();
    EXPECT_EQ(Objects[debris].Y, -1);
}

}  // namespace
