#pragma once
// The world's small integer arithmetic, beside the trigonometric tables: rounding, polar
// offsets, 32-bit wrap-around, and pixels against 1/16 pixels. Every rule here is part of
// the game's behaviour; replays depend on each bit.
#include <cmath>
#include <cstdint>
#include <limits>

#include "krdxlib/geometry.h"

// To the nearest integer, ties to even, as all world arithmetic rounds.
inline int32_t RoundEven(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

// The same, but a value that does not fit 32 bits gives the lowest integer, as the
// processor's conversion does (a bullet so far out leaves the field).
inline int32_t RoundEvenOrLowest(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(r);
}

// The table's cosine and sine of an angle (any integer, taken modulo a turn), widened.
inline double CosOf(int32_t angle) {
    return CosTable[angle & AngleMask];
}
inline double SinOf(int32_t angle) {
    return SinTable[angle & AngleMask];
}

// The offset of r along an angle, each axis rounded: round(r * cos), round(r * sin).
inline int32_t PolarX(int32_t r, int32_t angle) {
    return RoundEven(r * CosOf(angle));
}
inline int32_t PolarY(int32_t r, int32_t angle) {
    return RoundEven(r * SinOf(angle));
}

// 32-bit wrapping sum and difference (speeds can be huge after the speed hell's unsigned
// halving, and positions follow them).
inline int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Fine positions and speeds count 1/16 pixel.
constexpr int32_t FinePerPixel = 16;
constexpr int32_t FineShift = 4;

// Pixels as 1/16 pixels.
constexpr int32_t FineOf(int32_t pixels) {
    return pixels * FinePerPixel;
}
// 1/16 pixels as whole pixels, truncating toward zero (-1 fine is pixel 0).
constexpr int32_t PixelTrunc(int32_t fine) {
    return fine / FinePerPixel;
}
// 1/16 pixels as whole pixels, toward minus infinity (-1 fine is pixel -1).
constexpr int32_t PixelFloor(int32_t fine) {
    return fine >> FineShift;
}
// 1/16 pixels as pixels without rounding.
constexpr double PixelExact(int32_t fine) {
    return fine / 16.0;
}
// 1/16 pixels taken as unsigned, as whole pixels: a negative position lands far outside
// the field.
constexpr int32_t PixelUnsigned(int32_t fine) {
    return static_cast<int32_t>(static_cast<uint32_t>(fine) >> FineShift);
}
