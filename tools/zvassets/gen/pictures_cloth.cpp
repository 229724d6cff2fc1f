// cloth.bmp: the front-end background behind the title, select, configuration and ranking
// screens: a deep blue field with a faint hexagon weave and a target emblem above a glowing
// horizon, a perspective grid below it, and gold piping with corner brackets. Everything
// stays dim so the texts drawn over it read clearly, and the bands where the screens put
// their headings (rows 0-18) and their bottom lines (rows 219-239) are flat: the piping runs
// between them and the texts, never under a text.
#include <algorithm>
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

const Ramp kBlue{0, 8}, kViolet{8, 8}, kCyan{16, 8}, kGold{24, 8};
// The horizon's line takes rows 139-140, between the menu lines of every screen (the
// configuration's at 130 and the ranking's at 142, the hells page's values at 141).
constexpr int kHorizon = 139;
// The calm bands: the headings' band above the top piping, the bottom lines' band below the
// last menu entry (the message line, the credit, the character's name, the custom values).
constexpr int kHeaderEnd = 19, kFooterTop = 219;
constexpr int kTopPiping = 19, kBottomPiping = 232;
constexpr double kPi = 3.14159265358979;

// Distance to the nearest edge of a hexagon cell of radius r (flat-topped lattice), 0 on the edge.
double HexEdge(double x, double y, double r) {
    const double w = r * std::sqrt(3.0), h = r * 1.5;
    const int row = static_cast<int>(std::floor(y / h));
    double best = 1e9, second = 1e9;
    for (int j = row - 1; j <= row + 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const double cx = (static_cast<int>(std::floor(x / w)) + i + (j & 1) * 0.5) * w,
                         cy = j * h;
            const double d = std::hypot(x - cx, y - cy);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    return second - best;
}

uint8_t Sky(int x, int y) {
    const double vignette = 1.0 - std::hypot((x - 160) / 220.0, (y - kHorizon) / 190.0);
    double l = 0.08 + 0.32 * vignette + 0.28 * std::max(0.0, 1.0 - (kHorizon - y) / 40.0);
    uint8_t v = DitherRamp(kBlue, l, x, y);
    if (HexEdge(x, y, 9) < 0.9) v = DitherRamp(kBlue, l + 0.14, x, y);  // the weave
    // The emblem: two rings with ticks and a cross-hair round (160, 88).
    const double dx = x - 160, dy = y - 88, r = std::hypot(dx, dy), a = std::atan2(dy, dx);
    const double fade = std::clamp(0.25 + 0.3 * vignette, 0.0, 0.5);
    if (std::fabs(r - 84) < 0.8 || std::fabs(r - 62) < 0.6) v = kViolet.At(fade + 0.1);
    if (r > 86 && r < 92 && std::fmod(a + 2 * kPi, kPi / 18) < 0.03) v = kViolet.At(fade);
    if (r > 64 && r < 82 && std::fmod(a + 2 * kPi + kPi / 4, kPi / 2) < 0.05 / (r / 64))
        v = kViolet.At(fade);
    if ((std::fabs(dx) < 0.6 || std::fabs(dy) < 0.6) && r > 94 && r < 118) v = kViolet.At(fade);
    return v;
}

uint8_t Floor(int x, int y) {
    // A grid on the ground receding to the horizon: z = 160 / depth, columns every half unit.
    const double depth = y - kHorizon + 0.5;  // 0 at the horizon
    const double near = std::clamp(depth / (240.0 - kHorizon), 0.0, 1.0);
    uint8_t v = DitherRamp(kBlue, 0.1 + 0.22 * (1 - near), x, y);
    const double gx = (x - 160) / depth * 2, z = 160 / depth;
    const double colDist = std::fabs(gx - std::round(gx)) * depth / 2;  // in pixels
    const double rowDist = std::fabs(z - std::round(z)) * depth * depth / 160;
    // The grid fades out above the bottom lines' band.
    const double fade = std::clamp((kFooterTop - 1 - y) / 16.0, 0.0, 1.0);
    if (depth > 6 && fade > 0 && (colDist < 0.55 || (rowDist < 0.55 && depth * depth / 160 > 3)))
        v = DitherRamp(kViolet, (0.15 + 0.45 * near) * fade + 0.1 * (1 - fade), x, y);
    if (depth < 1)
        v = kCyan.At(0.75);  // the glowing horizon line
    else if (depth < 2)
        v = kCyan.At(0.45);
    return v;
}

void Piping(Picture& p) {
    for (int x = 0; x < 320; ++x) {
        for (int y = 0; y < kHeaderEnd; ++y) p.Set(x, y, kBlue.Step(1));
        for (int y = kFooterTop; y < 240; ++y) p.Set(x, y, kBlue.Step(1));
        for (int k : {kTopPiping, kBottomPiping}) {
            p.Set(x, k, kGold.At(0.85));
            p.Set(x, k + 1, kGold.At(0.45));
            p.Set(x, k + (k < 100 ? 2 : -1), kBlue.Step(0));
        }
    }
    // Corner brackets hook from the piping toward the screen's edge, in the corners the texts
    // leave free (the bottom ones are short: the band below the piping is 6 rows).
    for (int c = 0; c < 4; ++c) {
        const bool right = c % 2, bottom = c / 2;
        const int cx = right ? 319 : 0, sx = right ? -1 : 1;
        const int cy = bottom ? kBottomPiping + 1 : kTopPiping, sy = bottom ? 1 : -1;
        const int arm = bottom ? 7 : 18;
        for (int i = 0; i < 18; ++i) p.Set(cx + sx * i, cy + sy * 3, kGold.At(i < 14 ? 0.7 : 0.4));
        for (int i = 0; i < arm; ++i)
            p.Set(cx + sx * 3, cy + sy * i, kGold.At(i < arm - 4 ? 0.7 : 0.4));
    }
    // Chevrons: two rows of them beside the headings (clear of the widest heading, x 70-249)
    // and one centred under the bottom piping.
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < 4; ++i) {
            for (int x0 : {22, 257}) {
                const int x = x0 + k * 9 + i;
                p.Set(x, 9 + i % 2, kGold.At(0.6));
                p.Set(x + 2, 8, kGold.At(0.35));
            }
            const int x = 140 + k * 9 + i;
            p.Set(x, 236 - i % 2, kGold.At(0.6));
        }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("cloth.bmp");
    s.Pal = frontpal::Cloth();
    Picture& p = s.Pic;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) p.Set(x, y, y < kHorizon ? Sky(x, y) : Floor(x, y));
    Piping(p);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("cloth.bmp", Generate);

}  // namespace
}  // namespace zvtools
