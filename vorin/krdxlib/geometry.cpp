#include "krdxlib/geometry.h"

#include <cmath>

// Built once at start-up by BuildTrigTables; read by the world every frame.
std::array<float, 1024> CosTable{};
std::array<float, 1024> SinTable{};

namespace {

// Pi with the full 64-bit mantissa of the extended type.
constexpr long double ExtPi = 3.14159265358979323846264338327950288L;
// pi / 2 as a single float: the direction of a vertical vector before the quadrant fix.
constexpr float HalfPiSingle = 1.5707964f;

// Differences wrap like the 32-bit registers the arithmetic was designed for.
inline int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// The single float nearest the extended arctangent of dy / dx (dx not 0). The double
// arctangent is within 2^-51 of it, relatively (quotient and arctangent each within an ulp).
// Rounding to float never reverses order, so when both ends of a safe margin round to the
// same float as the double itself, so does the extended value between them; only near the
// midpoint of two floats is the slow extended one taken.
float AtanSingle(int32_t dy, int32_t dx) {
    const double t = std::atan(static_cast<double>(dy) / static_cast<double>(dx));
    const float f = static_cast<float>(t);
    const double margin = std::fabs(t) * 0x1p-46;
    if (static_cast<float>(t - margin) == f && static_cast<float>(t + margin) == f) return f;
    const long double q = static_cast<long double>(dy) / static_cast<long double>(dx);
    return static_cast<float>(std::atan(q));
}

}  // namespace

void BuildTrigTables() {
    for (int32_t i = 0; i < 1024; ++i) {
        const long double a = static_cast<long double>(i) * ExtPi * 2.0L / 1024.0L;
        CosTable[i] = static_cast<float>(std::cos(a));
        SinTable[i] = static_cast<float>(std::sin(a));
    }
}

// Edge sums are formed in 64 bits so extreme boxes cannot overflow.
bool BoxHit(const TBox& a, int32_t ax, int32_t ay, const TBox& b, int32_t bx, int32_t by) {
    const int64_t aLeft = int64_t{a.Left} + ax, aRight = int64_t{a.Right} + ax;
    const int64_t aTop = int64_t{a.Top} + ay, aBottom = int64_t{a.Bottom} + ay;
    const int64_t bLeft = int64_t{b.Left} + bx, bRight = int64_t{b.Right} + bx;
    const int64_t bTop = int64_t{b.Top} + by, bBottom = int64_t{b.Bottom} + by;
    return aLeft < bRight && aRight > bLeft && aTop < bBottom && aBottom > bTop;
}

bool PointInBox(int32_t px, int32_t py, const TBox& box, int32_t ox, int32_t oy) {
    return PointInBoxShrunk(px, py, box, ox, oy, 0);
}

bool PointInBoxShrunk(int32_t px, int32_t py, const TBox& box, int32_t ox, int32_t oy, int32_t m) {
    return px < int64_t{box.Right} + ox - m && px > int64_t{box.Left} + ox + m &&
           py < int64_t{box.Bottom} + oy - m && py > int64_t{box.Top} + oy + m;
}

int32_t GetAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = WrapSub(x2, x1);
    const int32_t dy = WrapSub(y2, y1);
    float r;
    if (dx == 0) {
        r = HalfPiSingle;
    } else {
        r = AtanSingle(dy, dx);
    }
    if (dx < 0 || (dx == 0 && dy <= 0)) r = static_cast<float>(r + ExtPi);
    if (r < 0) r = static_cast<float>(r + 2.0L * ExtPi);
    const long double steps = static_cast<long double>(r) / (2.0L * ExtPi / 1024.0L);
    // The current rounding mode is round to nearest, ties to even (rint rounds as nearbyint
    // does, without the cost of keeping the inexact flag).
    return static_cast<int32_t>(std::rint(steps)) & AngleMask;
}

int32_t TurnAngle(int32_t a, int32_t t, int32_t s) {
    int32_t d = WrapSub(t, a);
    if (d < 0) d = static_cast<int32_t>(static_cast<uint32_t>(d) + 1024u);
    int32_t result = a;
    if (d > 512) {
        result = WrapSub(a, s);
    } else if (d != 0) {
        result = static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(s));
    }
    return result & AngleMask;
}
