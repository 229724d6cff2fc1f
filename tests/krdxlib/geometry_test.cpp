#include "krdxlib/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Direction of (dx, dy) in 1024 steps, in double precision, for comparison.
double ReferenceSteps(int dx, int dy) {
    double a = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
    if (a < 0) a += 2 * M_PI;
    return a * 512.0 / M_PI;
}

// The angle worked out wholly in extended precision, as GetAngle once did: its faster
// arctangent must give the very same step for every vector.
int32_t ExtendedAngle(int32_t dx, int32_t dy) {
    constexpr long double pi = 3.14159265358979323846264338327950288L;
    float r = 1.5707964f;
    if (dx != 0) {
        r = static_cast<float>(std::atan(static_cast<long double>(dy) / dx));
    }
    if (dx < 0 || (dx == 0 && dy <= 0)) r = static_cast<float>(r + pi);
    if (r < 0) r = static_cast<float>(r + 2.0L * pi);
    const long double steps = static_cast<long double>(r) / (2.0L * pi / 1024.0L);
    return static_cast<int32_t>(std::nearbyint(steps)) & AngleMask;
}

int32_t WrapDistance(int32_t a, int32_t b) {
    const int32_t d = (a - b) & AngleMask;
    return d > 512 ? 1024 - d : d;
}

}  // namespace

TEST(GetAngle, AxisDirectionsAndEqualPoints) {
    EXPECT_EQ(GetAngle(0, 0, 10, 0), 0);
    EXPECT_EQ(GetAngle(0, 0, 0, 10), 256);
    EXPECT_EQ(GetAngle(0, 0, -10, 0), 512);
    EXPECT_EQ(GetAngle(0, 0, 0, -10), 768);
    EXPECT_EQ(GetAngle(0, 0, 0, 0), 768);
    EXPECT_EQ(GetAngle(37, -5, 37, -5), 768);
}

TEST(GetAngle, Diagonals) {
    EXPECT_EQ(GetAngle(0, 0, 5, 5), 128);
    EXPECT_EQ(GetAngle(0, 0, -5, 5), 384);
    EXPECT_EQ(GetAngle(0, 0, -5, -5), 640);
    EXPECT_EQ(GetAngle(0, 0, 5, -5), 896);
}

TEST(GetAngle, NegativeArctangentGetsAFullTurnAdded) {
    EXPECT_EQ(GetAngle(0, 0, 10, -1), 1008);
    EXPECT_EQ(GetAngle(100, 100, 110, 99), 1008);
}

TEST(GetAngle, JustBelowAFullTurnWrapsToZero) {
    // atan(-1/1000) is about -0.16 steps: 1023.84 rounds to 1024, which the mask makes 0.
    EXPECT_EQ(GetAngle(0, 0, 1000, -1), 0);
    EXPECT_EQ(GetAngle(0, 0, 100, -1), 1022);
}

TEST(GetAngle, AgreesWithDoublePrecisionEverywhere) {
    int compared = 0;
    for (int dy = -60; dy <= 60; dy += 3) {
        for (int dx = -60; dx <= 60; dx += 7) {
            if (dx == 0 && dy == 0) continue;
            const double ref = ReferenceSteps(dx, dy);
            const double frac = ref - std::floor(ref);
            const int32_t got = GetAngle(3, -4, 3 + dx, -4 + dy);
            ASSERT_LE(WrapDistance(got, static_cast<int32_t>(std::lround(ref))), 1)
                << dx << "," << dy;
            // Away from a half step the single-precision path must give the same step.
            if (std::fabs(frac - 0.5) > 0.01) {
                EXPECT_EQ(got, static_cast<int32_t>(std::lround(ref)) & AngleMask)
                    << dx << "," << dy;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 500);
}

TEST(GetAngle, SameStepAsTheExtendedArctangentForEveryVector) {
    // Every vector across and beyond the field, then vectors of any length.
    int32_t mismatches = 0;
    for (int32_t dy = -640; dy <= 640; ++dy) {
        for (int32_t dx = -640; dx <= 640; ++dx) {
            mismatches += GetAngle(0, 0, dx, dy) != ExtendedAngle(dx, dy);
        }
    }
    EXPECT_EQ(mismatches, 0);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int32_t i = 0; i < 200000; ++i) {
        const int32_t shift = static_cast<int32_t>(next() >> 27);  // lengths of every size
        const int32_t dx = static_cast<int32_t>(next()) >> shift;
        const int32_t dy = static_cast<int32_t>(next()) >> (31 - shift);
        ASSERT_EQ(GetAngle(0, 0, dx, dy), ExtendedAngle(dx, dy)) << dx << "," << dy;
    }
}

TEST(TurnAngle, StepsTowardTarget) {
    EXPECT_EQ(TurnAngle(0, 512, 4), 4);  // the exact half turn goes the positive way
    EXPECT_EQ(TurnAngle(0, 513, 4), 1020);
    EXPECT_EQ(TurnAngle(10, 10, 4), 10);
    EXPECT_EQ(TurnAngle(1022, 2, 8), 6);
    EXPECT_EQ(TurnAngle(2, 1000, 8), 1018);
    EXPECT_EQ(TurnAngle(300, 100, 16), 284);
    EXPECT_EQ(TurnAngle(100, 300, 16), 116);
}

TEST(TurnAngle, OvershootsWithoutClamping) {
    EXPECT_EQ(TurnAngle(0, 2, 8), 8);
    EXPECT_EQ(TurnAngle(8, 2, 8), 0);
    // A large step oscillates about the target rather than settling.
    int32_t a = 0;
    for (int i = 0; i < 10; ++i) a = TurnAngle(a, 5, 8);
    EXPECT_NE(a, 5);
}

TEST(BoxHit, TouchingEdgesDoNotOverlap) {
    const TBox box{-4, -4, 4, 4};
    // Boxes 8 wide at x 0 and x 8 share the edge x = 4.
    EXPECT_FALSE(BoxHit(box, 0, 0, box, 8, 0));
    EXPECT_FALSE(BoxHit(box, 8, 0, box, 0, 0));
    EXPECT_FALSE(BoxHit(box, 0, 0, box, 0, 8));
    EXPECT_FALSE(BoxHit(box, 0, 8, box, 0, 0));
    EXPECT_TRUE(BoxHit(box, 0, 0, box, 7, 0));
    EXPECT_TRUE(BoxHit(box, 7, 0, box, 0, 0));
    EXPECT_TRUE(BoxHit(box, 0, 0, box, 0, 7));
    EXPECT_TRUE(BoxHit(box, 0, 7, box, 0, 0));
    EXPECT_TRUE(BoxHit(box, 0, 0, box, 7, -7));
}

TEST(BoxHit, UsesEachOwnersPosition) {
    const TBox small{0, 0, 2, 2};
    const TBox wide{-10, 0, 10, 1};
    EXPECT_TRUE(BoxHit(small, 100, 50, wide, 95, 51));
    EXPECT_FALSE(BoxHit(small, 100, 50, wide, 95, 52));
    EXPECT_FALSE(BoxHit(small, 100, 50, wide, 112, 50));
    EXPECT_TRUE(BoxHit(small, 100, 50, wide, 111, 50));
}

TEST(PointInBox, EdgesAreOutside) {
    const TBox box{-3, -2, 3, 2};
    EXPECT_TRUE(PointInBox(10, 20, box, 10, 20));
    EXPECT_FALSE(PointInBox(7, 20, box, 10, 20));  // left edge
    EXPECT_TRUE(PointInBox(8, 20, box, 10, 20));
    EXPECT_FALSE(PointInBox(13, 20, box, 10, 20));  // right edge
    EXPECT_TRUE(PointInBox(12, 20, box, 10, 20));
    EXPECT_FALSE(PointInBox(10, 18, box, 10, 20));  // top edge
    EXPECT_FALSE(PointInBox(10, 22, box, 10, 20));  // bottom edge
    EXPECT_TRUE(PointInBox(10, 21, box, 10, 20));
}

TEST(PointInBoxShrunk, MarginShrinksEverySide) {
    const int32_t m = 3;
    // 2m + 2 wide and high: exactly one point, (m + 1, m + 1), is inside.
    const TBox fits{0, 0, 2 * m + 2, 2 * m + 2};
    int inside = 0;
    for (int y = -1; y <= 2 * m + 3; ++y)
        for (int x = -1; x <= 2 * m + 3; ++x) inside += PointInBoxShrunk(x, y, fits, 0, 0, m);
    EXPECT_EQ(inside, 1);
    EXPECT_TRUE(PointInBoxShrunk(m + 1, m + 1, fits, 0, 0, m));
    // One narrower: nothing at all.
    const TBox narrow{0, 0, 2 * m + 1, 2 * m + 2};
    for (int y = -1; y <= 2 * m + 3; ++y)
        for (int x = -1; x <= 2 * m + 3; ++x) EXPECT_FALSE(PointInBoxShrunk(x, y, narrow, 0, 0, m));
    // The position moves the shrunk box too.
    EXPECT_TRUE(PointInBoxShrunk(50 + m + 1, 60 + m + 1, fits, 50, 60, m));
    EXPECT_FALSE(PointInBoxShrunk(m + 1, m + 1, fits, 50, 60, m));
    // Margin 0 is the plain test.
    EXPECT_EQ(PointInBoxShrunk(1, 1, fits, 0, 0, 0), PointInBox(1, 1, fits, 0, 0));
}

TEST(TrigTables, KeyEntries) {
    BuildTrigTables();
    EXPECT_EQ(CosTable[0], 1.0f);
    EXPECT_LT(std::fabs(CosTable[256]), 1e-7f);
    EXPECT_EQ(CosTable[512], -1.0f);
    EXPECT_LT(std::fabs(CosTable[768]), 1e-7f);
    EXPECT_EQ(SinTable[0], 0.0f);
    EXPECT_EQ(SinTable[256], 1.0f);
    EXPECT_EQ(SinTable[768], -1.0f);
    EXPECT_EQ(CosTable[128], SinTable[128]);
}

TEST(TrigTables, EveryEntryIsTheRoundedValue) {
    BuildTrigTables();
    for (int i = 0; i < 1024; ++i) {
        const double a = i * 2.0 * M_PI / 1024.0;
        // Within half a single-precision step (plus the double's own error).
        const double tol = 0.5 * std::ldexp(1.0, -23) + 1e-15;
        EXPECT_NEAR(CosTable[i], std::cos(a), tol * std::max(1.0, std::fabs(std::cos(a)))) << i;
        EXPECT_NEAR(SinTable[i], std::sin(a), tol * std::max(1.0, std::fabs(std::sin(a)))) << i;
    }
}
