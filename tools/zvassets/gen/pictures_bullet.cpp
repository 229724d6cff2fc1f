// bullet.bmp: the 96 enemy-bullet cells (drawn in the first four bullet colours, shifted by
// the game into the colour group of each bullet's look), the medal, the power-up item with
// its colour icons, the coin, the score pop-ups and the two explosions.
#include <cmath>
#include <string>

#include "common/bulletcolours.h"
#include "common/pixelart.h"
#include "common/sheetgen.h"

namespace zvtools {
namespace {

constexpr double kPi = 3.141592653589793;
uint8_t C(int g, int s) { return static_cast<uint8_t>(BulletIndex(g, s)); }

// Cell i's top-left corner.
int CellX(int i) { return (i % 16) * 16; }
int CellY(int i) { return (i / 16) * 16; }

// A lit shape inside a cell: shade 3 at the core down to 0 at the rim; d is the normalised
// distance (0 centre, 1 edge) of the pixel from the shape's middle.
uint8_t CoreShade(double d) { return static_cast<uint8_t>(d < 0.3 ? 3 : d < 0.6 ? 2 : d < 0.85 ? 1 : 0); }

// An ellipse with half-axes rx, ry turned to angle (1024 steps), centred in cell i.
void Needle(Picture& p, int i, double rx, double ry, int angle) {
    const double a = angle * 2 * kPi / 1024, c = std::cos(a), s = std::sin(a);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
            const double u = dx * c + dy * s, v = -dx * s + dy * c;
            const double d = std::sqrt((u / rx) * (u / rx) + (v / ry) * (v / ry));
            if (d <= 1.0) p.Set(CellX(i) + x, CellY(i) + y, CoreShade(d));
        }
}

void Ball(Picture& p, int i, double r, double cx = 8, double cy = 8, double coreShift = 0) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy) / r;
            if (d > 1.0) continue;
            const double dc = std::hypot(dx + coreShift, dy + coreShift) / r;
            p.Set(CellX(i) + x, CellY(i) + y, CoreShade(std::max(d, dc * 0.9)));
        }
}

void Cells(Picture& p) {
    for (int i = 0; i < 32; ++i) Needle(p, i, 6.2, 2.9, i * 32);  // kind 50: 32 headings
    for (int i = 0; i < 16; ++i) Needle(p, 48 + i, 7.4, 2.2, i * 32);  // half-turn needles
    // Kind 49: a ball with four spikes that turn.
    for (int f = 0; f < 8; ++f) {
        const int i = 32 + f;
        Ball(p, i, 4.6);
        for (int k = 0; k < 4; ++k) {
            const double a = (f * 11.25 + k * 90) * kPi / 180;
            for (double t = 4.5; t < 7.5; t += 0.5) {
                int x = static_cast<int>(std::floor(8 + std::cos(a) * t)), y = static_cast<int>(std::floor(8 + std::sin(a) * t));
                p.Set(CellX(i) + x, CellY(i) + y, t < 6 ? 1 : 0);
            }
        }
    }
    // Kind 48: a small ball that blinks.
    Ball(p, 40, 3.6);
    Ball(p, 41, 3.1);
    p.Set(CellX(41) + 7, CellY(41) + 7, 3);
    // Kind 51: a large ball with a turning rim pattern.
    for (int f = 0; f < 4; ++f) {
        const int i = 44 + f;
        Ball(p, i, 6.6);
        for (int k = 0; k < 6; ++k) {
            const double a = (f * 15 + k * 60) * kPi / 180;
            int x = static_cast<int>(std::floor(8 + std::cos(a) * 5.4)), y = static_cast<int>(std::floor(8 + std::sin(a) * 5.4));
            p.Set(CellX(i) + x, CellY(i) + y, 3);
        }
    }
    // Kinds 53 and 59: a turning crystal.
    for (int f = 0; f < 4; ++f) {
        const int i = 88 + f;
        const double w = 2.0 + 4.5 * std::fabs(std::cos(f * kPi / 4));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double dx = std::fabs(x + 0.5 - 8) / w, dy = std::fabs(y + 0.5 - 8) / 7.0;
                const double d = dx + dy;
                if (d <= 1.0) p.Set(CellX(i) + x, CellY(i) + y, CoreShade(d * (x < 8 ? 0.8 : 1.1)));
            }
    }
    // Vanishing flash: a ring that opens and fades.
    for (int f = 0; f < 2; ++f) {
        const int i = 92 + f;
        const double r0 = 2.5 + 3 * f, r1 = 5.0 + 2.5 * f;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double d = std::hypot(x + 0.5 - 8, y + 0.5 - 8);
                if (d >= r0 && d <= r1 && (f == 0 || ((x + y) & 1)))
                    p.Set(CellX(i) + x, CellY(i) + y, f == 0 ? (d < r0 + 1.2 ? 3 : 2) : 1);
                else if (f == 0 && d < r0) p.Set(CellX(i) + x, CellY(i) + y, 3);
            }
    }
    // Appearing spark: a small four-pointed star.
    for (int t = -5; t <= 5; ++t) {
        const uint8_t v = static_cast<uint8_t>(std::abs(t) < 2 ? 3 : std::abs(t) < 4 ? 2 : 1);
        p.Set(CellX(94) + 8 + t, CellY(94) + 8, v);
        p.Set(CellX(94) + 8, CellY(94) + 8 + t, v);
    }
    p.Set(CellX(94) + 7, CellY(94) + 7, 2);
    p.Set(CellX(94) + 9, CellY(94) + 9, 2);
    p.Set(CellX(94) + 7, CellY(94) + 9, 2);
    p.Set(CellX(94) + 9, CellY(94) + 7, 2);
    // Medal: a gold medal turning about its upright axis, in its own colours.
    for (int f = 0; f < 8; ++f) {
        const int i = 80 + f;
        const double w = std::max(1.0, 6.0 * std::fabs(std::cos(f * kPi / 8)));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double dx = (x + 0.5 - 8) / w, dy = (y + 0.5 - 8) / 6.5;
                const double d = dx * dx + dy * dy;
                if (d > 1.0) continue;
                uint8_t v = d > 0.7 ? C(kGroupGold, 1) : (dx + dy < -0.3 ? C(kGroupGold, 3) : C(kGroupGold, 2));
                if (d < 0.18 && w > 3) v = C(kGroupIce, 3);
                p.Set(CellX(i) + x, CellY(i) + y, v);
            }
        Outline(p, CellX(i), CellY(i), 16, 16, kBulletKey, C(kGroupFire, 0));
    }
}

// The power-up's colour icons: an orb of the colour with a white P.
void Icons(Picture& p) {
    static const int groups[3] = {kGroupRed, kGroupGreen, kGroupBlue};
    static const char* letter[5] = {"###.", "#..#", "###.", "#...", "#..."};
    for (int c = 0; c < 3; ++c) {
        const int x0 = 16 * c, y0 = 96;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double dx = x + 0.5 - 8, dy = y + 0.5 - 8, d = std::hypot(dx, dy) / 6.5;
                if (d > 1) continue;
                const double lit = -(dx + dy) / 9.0 + (1 - d) * 0.6;
                p.Set(x0 + x, y0 + y, C(groups[c], lit > 0.55 ? 3 : lit > 0.1 ? 2 : 1));
            }
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 4; ++x)
                if (letter[y][x] == '#') p.Set(x0 + 6 + x, y0 + 5 + y, C(kGroupIce, 3));
        Outline(p, x0, y0, 16, 16, kBulletKey, C(groups[c], 0));
    }
}

// The power-up item's turning capsule frame (4 frames).
void Capsule(Picture& p) {
    for (int f = 0; f < 4; ++f) {
        const int x0 = 16 + 24 * f, y0 = 120;
        const double a0 = f * kPi / 8;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const double dx = x + 0.5 - 12, dy = y + 0.5 - 12, d = std::hypot(dx, dy);
                if (d < 8.5 || d > 11) continue;
                const double a = std::atan2(dy, dx) + a0;
                const double seg = std::fmod(a / (kPi / 3) + 12, 1.0);
                if (seg > 0.8) continue;
                const double lit = -(dx + dy) / 16;
                p.Set(x0 + x, y0 + y, C(kGroupSteel, lit > 0.3 ? 3 : lit > -0.3 ? 2 : 1));
            }
        Outline(p, x0, y0, 24, 24, kBulletKey, C(kGroupSteel, 0));
    }
}

// The coin: a large gold coin turning, with a Z.
void Coin(Picture& p) {
    static const char* zed[7] = {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"};
    for (int f = 0; f < 6; ++f) {
        const int x0 = 112 + 24 * f, y0 = 120;
        const double w = std::max(1.5, 9.5 * std::fabs(std::cos(f * kPi / 6)));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const double dx = (x + 0.5 - 12) / w, dy = (y + 0.5 - 12) / 9.5, d = dx * dx + dy * dy;
                if (d > 1) continue;
                uint8_t v = d > 0.62 ? C(kGroupGold, 1) : (dx + dy < -0.2 ? C(kGroupGold, 3) : C(kGroupGold, 2));
                if (d > 0.62 && dx + dy < -0.6) v = C(kGroupGold, 3);
                p.Set(x0 + x, y0 + y, v);
            }
        if (w > 6)
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 5; ++x)
                    if (zed[y][x] == '#') p.Set(x0 + 10 + x, y0 + 9 + y, C(kGroupFire, 1));
        Outline(p, x0, y0, 24, 24, kBulletKey, C(kGroupFire, 0));
    }
}

void Digits(Picture& p, const PixelArt& art, int x, int y, const std::string& s, int group,
            bool mirror, int boxW) {
    const int w = static_cast<int>(s.size()) * 5 + 1;
    Picture tmp(w + 2, 8, kBulletKey);
    for (size_t i = 0; i < s.size(); ++i) {
        const PixelSprite& g = art.Get(std::string(1, s[i]));
        for (int yy = 0; yy < g.H; ++yy)
            for (int xx = 0; xx < g.W; ++xx)
                if (g.At(xx, yy) != kPixelNone)
                    tmp.Set(2 + static_cast<int>(i) * 5 + xx, 1 + yy, C(group, yy < 3 ? 3 : 2));
    }
    Outline(tmp, 0, 0, tmp.W, tmp.H, kBulletKey, C(group, 0));
    const int ox = x + (boxW - tmp.W) / 2;
    for (int yy = 0; yy < tmp.H; ++yy)
        for (int xx = 0; xx < tmp.W; ++xx) {
            uint8_t v = tmp.At(mirror ? tmp.W - 1 - xx : xx, yy);
            if (v != kBulletKey) p.Set(ox + xx, y + yy, v);
        }
}

void PopUps(Picture& p, const PixelArt& art) {
    Digits(p, art, 0, 112, "1000", kGroupIce, false, 32);
    Digits(p, art, 32, 112, "5000", kGroupGold, false, 32);
    // Columns 63-88 are read mirrored as the fifth pop-up (param 0), so its text is stored
    // mirrored; the param 3 rectangle (64-95) shares these columns.
    Digits(p, art, 63, 112, "200", kGroupGreen, true, 26);
    Digits(p, art, 96, 112, "9999", kGroupRed, false, 32);
    for (int m = 1; m <= 10; ++m) {
        const std::string s = "x" + std::to_string(m);
        const int group = m >= 10 ? kGroupRed : m >= 5 ? kGroupGold : kGroupIce;
        // Narrow: the multiplier sign and digits share one outline, 16 wide at most.
        Picture tmp(16, 8, kBulletKey);
        int x = m >= 10 ? 0 : 2;
        for (char ch : s) {
            const PixelSprite& g = art.Get(std::string(1, ch));
            for (int yy = 0; yy < g.H; ++yy)
                for (int xx = 0; xx < g.W; ++xx)
                    if (g.At(xx, yy) != kPixelNone)
                        tmp.Set(x + 1 + xx - (ch == 'x' ? 1 : 0), 1 + yy, C(group, yy < 3 ? 3 : 2));
            x += ch == 'x' ? 4 : 5;
        }
        Outline(tmp, 0, 0, 16, 8, kBulletKey, C(group, 0));
        Copy(p, 128, 224 + 8 * m, tmp, 0, 0, 16, 8, kBulletKey);
    }
}

// One explosion frame: a noisy fireball of the given radius at progress t (0 to 1).
void Blast(Picture& p, int cx, int cy, double radius, double t, int seed) {
    const int R = static_cast<int>(radius) + 3;
    for (int y = -R; y <= R; ++y)
        for (int x = -R; x <= R; ++x) {
            const double n = Noise(x + 64, y + 64, radius / 3.0 + 1.5, seed) - 0.5;
            const double d = std::hypot(x + 0.5, y + 0.5) / radius + n * 0.45;
            if (d > 1.0) continue;
            if (t > 0.45 && d < (t - 0.45) * 1.7 + n * 0.3) continue;  // burning out from the middle
            const double heat = (1.0 - d) * (1.35 - 1.15 * t) + n * 0.25;
            uint8_t v;
            if (heat > 0.8) v = C(kGroupIce, 3);
            else if (heat > 0.62) v = C(kGroupGold, 3);
            else if (heat > 0.47) v = C(kGroupFire, 3);
            else if (heat > 0.33) v = C(kGroupFire, 2);
            else if (heat > 0.2) v = C(kGroupFire, 1);
            else if (heat > 0.08) v = C(kGroupFire, 0);
            else v = (x + y) & 1 ? C(kGroupSteel, 1) : C(kGroupSteel, 0);
            p.Set(cx + x, cy + y, v);
        }
}

void Explosions(Picture& p) {
    for (int c = 0; c < 6; ++c) {
        const double t = c / 5.0;
        Blast(p, 32 * c + 16, 160, 6 + 8.5 * std::sqrt(t), t, 11 + c);
    }
    for (int f = 0; f < 6; ++f) {
        const double t = f / 5.0;
        // Frame 2's cell also holds the x1 pop-up in its lower left corner: stay clear of it.
        const double r = std::min(f == 2 ? 25.0 : 29.0, 12 + 18 * std::sqrt(t));
        const int cx = 64 * (f % 4) + 32, cy = 176 + 64 * (f / 4) + 32;
        Blast(p, cx, cy, r, t, 31 + f);
        if (f < 4)  // a second burst off the middle makes it look heavier
            Blast(p, cx + (f % 2 ? -7 : 8), cy + (f < 2 ? -6 : 7), r * 0.45, std::min(1.0, t + 0.2), 50 + f);
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("bullet.bmp");
    s.Pal = BulletPalette();
    const PixelArt digits = ReadPixelArt(ctx.assets / "pictures" / "popup.txt");
    Cells(s.Pic);
    Icons(s.Pic);
    Capsule(s.Pic);
    Coin(s.Pic);
    Explosions(s.Pic);
    PopUps(s.Pic, digits);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("bullet.bmp", Generate);

}  // namespace
}  // namespace zvtools
