#include "krdxlib/arith.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {
constexpr int32_t Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Max = std::numeric_limits<int32_t>::max();
}  // namespace

// The three fine-to-pixel conversions differ only below zero; each caller depends on its own.
TEST(Arith, FineToPixelConversionsDifferBelowZero) {
    EXPECT_EQ(FineOf(-3), -48);
    EXPECT_EQ(PixelTrunc(47), 2);
    EXPECT_EQ(PixelFloor(47), 2);
    EXPECT_EQ(PixelUnsigned(47), 2);
    EXPECT_EQ(PixelTrunc(-1), 0);
    EXPECT_EQ(PixelFloor(-1), -1);
    EXPECT_EQ(PixelTrunc(-17), -1);
    EXPECT_EQ(PixelFloor(-17), -2);
    EXPECT_EQ(PixelUnsigned(-16), 0x0fffffff);
    EXPECT_DOUBLE_EQ(PixelExact(-24), -1.5);
}

TEST(Arith, RoundingTiesToEvenAndTheOutOfRangeValue) {
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(-0.51), -1);
    EXPECT_EQ(RoundEvenOrLowest(-2.5), -2);
    EXPECT_EQ(RoundEvenOrLowest(2147483647.4), Max);
    EXPECT_EQ(RoundEvenOrLowest(2147483647.5), Min);
    EXPECT_EQ(RoundEvenOrLowest(-3e9), Min);
}

TEST(Arith, WrapAroundSumAndDifference) {
    EXPECT_EQ(WrapAdd(Max, 1), Min);
    EXPECT_EQ(WrapAdd(-5, 3), -2);
    EXPECT_EQ(WrapSub(Min, 1), Max);
    EXPECT_EQ(WrapSub(3, 5), -2);
}

TEST(Arith, PolarOffsetsRoundEachAxisAndWrapTheAngle) {
    BuildTrigTables();
    EXPECT_EQ(PolarX(48, 0), 48);
    EXPECT_EQ(PolarY(48, 0), 0);
    EXPECT_EQ(PolarY(48, 256), 48);   // down
    EXPECT_EQ(PolarX(48, 512), -48);  // left
    EXPECT_EQ(PolarX(100, 128), 71);  // 70.71
    EXPECT_EQ(PolarY(-100, 128), -71);
    EXPECT_EQ(PolarX(48, 1024 + 512), PolarX(48, 512));
    EXPECT_EQ(PolarY(48, -256), -48);  // negative angles wrap to up
    EXPECT_DOUBLE_EQ(CosOf(-1024), 1.0);
}
