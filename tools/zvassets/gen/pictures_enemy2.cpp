// enemy2.bmp: stage 2's enemies: the large craft of kinds 93 and 192 (idle, unfolding, then
// dashing away), the battleship 94 with the jet 95 it launches, the mine 126, the fast craft
// OLMARD (kind 198, its head in 16 headings) with its body segments (125), and the carrier 89.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"
#include "pictures_stage_parts.h"

namespace zvtools {
namespace {

constexpr int kStage = 2;
void Render(Picture& p, const Shaper& s, int x0, int y0) { RenderStage(p, s, x0, y0, kStage); }

// Kinds 93 and 192: frames 0-1 idle, 2-7 the wing blades unfolding, 8-9 dashing right.
void BigCraft(Picture& p, int f) {
    const int x0 = 64 * (f % 5), y0 = 64 * (f / 5);
    const double open = f < 2 ? 0 : f >= 8 ? 1 : (f - 1) / 6.0;
    const bool right = f >= 8;  // turned round to dash away
    Shaper s(64, 64, 32, 32, right ? 0 : 512);
    s.FlipY = !right;
    const double span = 10 + 18 * open;
    s.Poly({{-4, -4}, {12, -span}, {18, -span}, {8, -3}}, kSAccent2);   // upper blade
    s.Poly({{-4, 4}, {12, span}, {18, span}, {8, 3}}, kSAccent2);       // lower blade
    s.Poly({{-28, 0}, {-14, -13}, {18, -12}, {28, 0}, {18, 12}, {-14, 13}}, kSHull);
    s.Poly({{-28, 0}, {-10, -4}, {-10, 4}}, kSSteel);
    s.Ellipse(-8, -4, 7, 4, kSGlass);
    s.Rect(2, -4, 18, 4, kSRed);
    s.Rect(-6, 6, 14, 9, kSHullDark);
    for (int k = -1; k <= 1; k += 2) s.Ellipse(22, k * 7, 4.5, 3.5, kSIron);
    Render(p, s, x0, y0);
    // Engines: flicker on alternate frames, a long flame while dashing.
    const double len = f >= 8 ? (f % 2 ? 12 : 16) : (f % 2 ? 3 : 5);
    for (int k = -1; k <= 1; k += 2)
        for (int i = 0; i < len; ++i)
            for (int j = -2; j <= 2; ++j) {
                const double t = i / len;
                if (std::abs(j) > 2.2 * (1 - t)) continue;
                p.Set(x0 + 32 + (right ? -27 - i : 26 + i), y0 + 32 + k * 7 + j,
                      stagepal::kGlow.At(1.0 - t - std::abs(j) * 0.15));
            }
}

void Battleship(Picture& p) {  // kind 94, 96 by 36, riding the sea
    Shaper s(96, 36, 48, 18);
    s.Poly({{-46, 4}, {40, 4}, {47, -2}, {38, 14}, {-40, 14}}, kSHull);
    s.Rect(-20, -8, 14, 4, kSAccent2);
    s.Rect(-12, -16, 2, -8, kSAccent2);
    s.Rect(-10, -13, 0, -10, kSGlass);
    s.Rect(-8, -22, -6, -16, kSIron);
    s.Rect(18, -2, 34, 4, kSHullDark);          // gun turret
    s.Rect(26, -4, 44, -1, kSSteel);
    s.Rect(-38, -2, -24, 4, kSHullDark);        // flight deck hatch
    s.Rect(-42, 6, 38, 8, kSRed);
    Render(p, s, 160, 128);
}

void Jet(Picture& p) {  // kind 95, 26 by 12, facing right; frame 0 shows only its nose half
    Shaper s(26, 12, 13, 6);
    s.Poly({{-11, -1}, {-4, -5}, {-1, -5}, {1, -1}}, kSAccent2);
    s.Poly({{-12, -2}, {6, -3}, {12, 0}, {6, 3}, {-12, 3}}, kSHull);
    s.Ellipse(3, -1.5, 3, 1.6, kSGlass);
    Render(p, s, 256, 128);
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy2.bmp");
    s.Pal = stagepal::Enemy(kStage);
    Picture& p = s.Pic;
    for (int f = 0; f < 10; ++f) BigCraft(p, f);
    Battleship(p);
    Jet(p);
    DrawMine(p, 0, 224, kStage);
    DrawOlmardBody(p, kStage);
    DrawOlmard(p, kStage);
    DrawCarrier(p, 160, 168, kStage);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy2.bmp", Generate);

}  // namespace
}  // namespace zvtools
