#include "pictures_player_shots.h"

#include <cmath>

#include "common/draw.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using namespace playerpal;
constexpr double kPi = 3.141592653589793;

// A lozenge of energy: long half-axis len along angle, short half-axis half; bright core.
void Bolt(Picture& p, double cx, double cy, double len, double half, int angle, const Ramp& r,
          double rim = 0.0) {
    const double a = angle * 2 * kPi / 1024, c = std::cos(a), s = std::sin(a);
    const int R = static_cast<int>(len) + 2;
    for (int y = -R; y <= R; ++y)
        for (int x = -R; x <= R; ++x) {
            const double px = std::floor(cx) + x + 0.5 - cx, py = std::floor(cy) + y + 0.5 - cy;
            const double u = px * c + py * s, v = -px * s + py * c;
            const double d = std::pow(std::fabs(u) / len, 1.6) + std::pow(std::fabs(v) / half, 2);
            if (d > 1) continue;
            const double lv = 1 - d + rim;
            p.Set(static_cast<int>(std::floor(cx)) + x, static_cast<int>(std::floor(cy)) + y,
                  lv > 0.6 ? kWhite : r.At(0.35 + lv));
        }
}

void Orb(Picture& p, double cx, double cy, double rad, const Ramp& r, bool hot = true) {
    for (int y = -static_cast<int>(rad) - 1; y <= rad + 1; ++y)
        for (int x = -static_cast<int>(rad) - 1; x <= rad + 1; ++x) {
            const double dx = x + 0.5, dy = y + 0.5, d = std::hypot(dx, dy) / rad;
            if (d > 1) continue;
            const double lit = (1 - d) * 0.8 + (-(dx + dy) / (rad * 3)) + 0.25;
            p.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y,
                  hot && lit > 0.85 ? kWhite : r.At(lit));
        }
}

// A ring of width w; sparse sets every other pixel (fading).
void Ring(Picture& p, double cx, double cy, double rad, double w, const Ramp& r, bool sparse) {
    const int R = static_cast<int>(rad + w) + 1;
    for (int y = -R; y <= R; ++y)
        for (int x = -R; x <= R; ++x) {
            const double e = std::fabs(std::hypot(x + 0.5, y + 0.5) - rad) / w;
            if (e > 1 || (sparse && ((x + y) & 1))) continue;
            p.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y, r.At(0.4 + 0.6 * (1 - e)));
        }
}

void Spark(Picture& p, double cx, double cy, double rx, double ry) {
    for (int y = -static_cast<int>(ry); y <= ry; ++y)
        for (int x = -static_cast<int>(rx); x <= rx; ++x) {
            const double d = std::fabs(x / rx) + std::fabs(y / ry);
            const double star = std::min(std::fabs(x / rx), std::fabs(y / ry));
            if (d > 1 && star > 0.12) continue;
            if (std::max(std::fabs(x / rx), std::fabs(y / ry)) > 1) continue;
            const double heat = 1 - std::min(d, 1.0);
            p.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y,
                  heat > 0.6 ? kWhite : heat > 0.35 ? 6 : heat > 0.1 ? 5 : 4);
        }
}

// A missile pointing along angle: body, nose, fins and an exhaust; drill gives it a drill bit.
void Missile(Picture& p, int x0, int y0, int angle, bool drill, const Ramp& accent) {
    Shaper s(24, 24, 12, 12, angle);
    s.Rect(-6, -1.8, 4, 1.8, 1);
    if (drill) {
        s.Poly({{4, -2.6}, {10, 0}, {4, 2.6}}, 3);
    } else {
        s.Poly({{4, -1.8}, {8, 0}, {4, 1.8}}, 2);
    }
    s.Poly({{-6, -1.5}, {-3, -1.5}, {-7, -4.5}}, 2);
    s.Poly({{-6, 1.5}, {-3, 1.5}, {-7, 4.5}}, 2);
    std::vector<Material> m(4);
    m[1] = {kSteel, 0.7, 0.2, 0.1};
    m[2] = {accent, 0.6, 0.2, 0.1};
    m[3] = {kSteel, 0.9, 0.25, 0.0};
    RenderMaterials(p, x0, y0, s.Ids, m, kKey, kEdge);
    const double a = angle * 2 * kPi / 1024;
    const double ex = x0 + 12 - 8.5 * std::cos(a), ey = y0 + 12 - 8.5 * std::sin(a);
    Orb(p, ex, ey, 1.8, kFire);
}

// A flame puff: stage r of 6 (grows, then breaks up).
void FlamePuff(Picture& p, int x0, int y0, int r) {
    const double rad = 5 + 2.2 * r, t = r / 5.0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double n = Noise(x + r * 7, y, 3.5, 90 + r) - 0.5;
            const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16) / rad + n * 0.5;
            if (d > 1) continue;
            if (t > 0.5 && Hash01(x, y, r) < (t - 0.5) * 1.2) continue;
            const double heat = (1 - d) * (1.2 - 0.8 * t) + n * 0.3;
            p.Set(x0 + x, y0 + y, heat > 0.7 ? kWhite : heat > 0.5 ? 6 : heat > 0.33 ? 5 : heat > 0.18 ? 4 : 3);
        }
}

void Blast(Picture& p, int x0, int y0, int size, int frame) {
    const double rad = size / 2.0 - 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double n = Noise(x + frame * 13, y, 5, 40 + frame) - 0.5;
            const double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / rad + n * 0.4;
            if (d > 1) continue;
            const double heat = 1 - d + n * 0.3 + (frame ? -0.1 : 0.1);
            uint8_t v = heat > 0.75 ? kWhite : heat > 0.55 ? 6 : heat > 0.38 ? 5 : heat > 0.22 ? 4 : heat > 0.1 ? 3 : kRed.Step(2);
            p.Set(x0 + x, y0 + y, v);
        }
}

// A field of energy: rings and a core, pulsing between two frames.
void Field(Picture& p, int x0, int y0, int size, int frame, const Ramp& r) {
    const double c = size / 2.0;
    Orb(p, x0 + c, y0 + c, size * (frame ? 0.16 : 0.2), r);
    Ring(p, x0 + c, y0 + c, size * (frame ? 0.3 : 0.36), 1.6, r, false);
    Ring(p, x0 + c, y0 + c, size * (frame ? 0.42 : 0.46), 1.2, r, true);
    for (int k = 0; k < 6; ++k) {
        const double a = (k * 60 + frame * 30) * kPi / 180;
        p.Set(static_cast<int>(x0 + c + std::cos(a) * size * 0.24), static_cast<int>(y0 + c + std::sin(a) * size * 0.24), kWhite);
    }
}

// One laser segment, w wide and h high, seamless left to right; frame shifts the ripple.
void Laser(Picture& p, int x0, int y0, int w, int h, int f) {
    const double c = h / 2.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double ripple = 0.12 * std::sin((x + f * 5) * 2 * kPi / 10);
            const double d = std::fabs(y + 0.5 - c) / (c * (0.92 + ripple));
            if (d > 1) continue;
            p.Set(x0 + x, y0 + y, d < 0.3 ? kWhite : kCyan.At(1.0 - d * 0.65));
        }
}

}  // namespace

void DrawShipShots(Picture& p, const PixelArt& /*art*/) {
    Spark(p, 93, 320, 8, 6);           // muzzle spark
    Spark(p, 93, 334, 7, 5);           // the second spark of the tall one
    Spark(p, 312, 296, 7, 15);         // the laser's tall spark
    Bolt(p, 62, 341, 12.5, 2.2, 0, kCyan);        // kind 16
    Bolt(p, 62, 333, 12.5, 3.6, 0, kBlue);        // kind 17, above its small twin
    Orb(p, 16, 321, 5.2, kCyan);                  // kind 18
    Bolt(p, 11, 321, 5, 2.5, 0, kCyan, -0.2);
    Orb(p, 16, 321, 5.2, kCyan);
    Bolt(p, 59, 351, 9, 2.6, -76, kBlue);         // kind 20, up
    Bolt(p, 80, 351, 9, 2.6, 76, kBlue);          // kind 20, down
    Ring(p, 36, 322, 7.5, 2.0, kBlue, false);     // kind 21
    Orb(p, 96, 347, 4.5, kCyan);                  // kind 24
    for (int d = 0; d < 8; ++d) Bolt(p, 127 + 16 * d + 8.5, 352, 6.8, 2.6, d * 64, kBlue);
    Orb(p, 200, 368, 5.5, kGreen);                // kind 26, bound shot
    Ring(p, 200, 368, 6.2, 0.9, kGreen, true);
    Orb(p, 200, 384, 5.5, kSteel, false);         // kind 37, bomb
    p.Set(198, 382, kWhite);
    Orb(p, 202, 379, 1.5, kRed);
    Outline(p, 192, 376, 16, 16, kKey, kEdge);
    for (int f = 0; f < 16; ++f) {
        Missile(p, 24 * (f % 8), 360 + 24 * (f / 8), f * 64, false, kRed);   // kinds 19, 22, 27
        Missile(p, 24 * (f % 8), 504 + 24 * (f / 8), f * 64, true, kGreen);  // kind 39 drill
        const int hx = 24 * (f % 8) + 12;
        Bolt(p, hx, 408 + 24 * (f / 8) + 12, 10.5, 2.4, f * 32, kCyan);   // kinds 28, 35, 36
        Bolt(p, hx, 456 + 24 * (f / 8) + 12, 10.5, 3.2, f * 32, kGreen);  // kind 34
        Bolt(p, hx, 456 + 24 * (f / 8) + 12, 7, 1.2, f * 32, kCyan);
    }
    for (int b = 0; b < 2; ++b) {
        Field(p, 208, 360 + 48 * b, 48, b, kCyan);    // kinds 29 and 42
        Blast(p, 256, 360 + 48 * b, 48, b);           // kind 38, bomb blast
        Field(p, 192 + 32 * b, 456, 32, b, kGreen);   // kind 40
        Field(p, 192 + 40 * b, 488, 40, b, kGreen);   // kind 41
    }
    for (int r = 0; r < 6; ++r) FlamePuff(p, 128 + 32 * r, 312, r);  // kind 33
    for (int f = 0; f < 2; ++f) {
        Laser(p, 256 + 20 * f, 264, 20, 5, f);
        Laser(p, 256 + 20 * f, 269, 20, 10, f);
        Laser(p, 256 + 20 * f, 286, 20, 20, f);
    }
    Spark(p, 114, 324, 11, 11);                  // wall spark, first frames
    for (int k = 0; k < 7; ++k) {                // then flying debris
        const double a = k * 2 * kPi / 7 + 0.3;
        const int x = 114 + static_cast<int>(std::cos(a) * (5 + k % 3 * 2)), y = 348 + static_cast<int>(std::sin(a) * (5 + k % 2 * 3));
        p.Set(x, y, k % 2 ? 6 : 5);
        p.Set(x + 1, y, 4);
    }
    Spark(p, 114, 348, 3, 3);
    for (int a = 0; a < 4; ++a) {                // anchor trail: a burst that fades
        Ring(p, 304, 136 + 32 * a, 5 + 2.5 * a, 2.2 - 0.3 * a, kCyan, a >= 2);
        if (a < 2) Orb(p, 304, 136 + 32 * a, 4 - 1.5 * a, kCyan);
    }
}

}  // namespace zvtools
