// enemy5.bmp: stage 5's enemies: the experimental fighter plane SAI-FEN (kinds 194 and 195:
// the hull, the lift-jet flame in four frames and the emblem of each form) with the links,
// blades and joints of its two chains (kind 124), the carrier 89, the mine 126, and the
// fast craft 198 with its body 125 in this stage's colours.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"
#include "pictures_stage_parts.h"

namespace zvtools {
namespace {

constexpr int kStage = 5;
uint8_t R3(double l) { return stagepal::R(3).At(l); }  // cyan
uint8_t R2(double l) { return stagepal::R(2).At(l); }  // magenta
void Render(Picture& p, const Shaper& s, int x0, int y0) { RenderStage(p, s, x0, y0, kStage); }

// The hull, 208 by 100, facing left; the boss position is its pixel (112, 64).
void Hull(Picture& p) {
    Shaper s(208, 100, 112, 64);
    s.Poly({{10, -22}, {60, -58}, {84, -58}, {52, -18}}, kSAccent2);              // upper wing
    s.Poly({{10, 8}, {66, 30}, {90, 30}, {52, 4}}, kSAccent2);                    // lower wing
    s.Poly({{-110, -4}, {-70, -16}, {40, -20}, {92, -14}, {94, 6}, {40, 10}, {-70, 8}}, kSHull);
    s.Poly({{-110, -4}, {-84, -9}, {-84, 3}}, kSSteel);                            // nose
    s.Ellipse(-52, -14, 16, 6, kSGlass);                                           // canopy
    s.Rect(-30, -4, 70, 0, kSRed);
    s.Poly({{60, -14}, {84, -44}, {94, -44}, {90, -14}}, kSHullDark);             // tail fin
    s.Rect(76, -12, 96, 4, kSIron);                                                // engine
    s.Ellipse(96, -4, 3.5, 6, kSGlow);
    for (int k = 0; k < 4; ++k) s.Rect(-20 + 16 * k, 2, -12 + 16 * k, 7, kSHullDark);
    s.Rect(26, -18, 50, -14, kSYellow);
    Render(p, s, 112, 0);
}

void Flames(Picture& p) {  // four frames of the lift jet, 11 by 42, pointing down
    for (int w = 0; w < 4; ++w) {
        const int x0 = 42 + 11 * w, y0 = 192;
        const double len = 30 + 4 * ((w * 3) % 4);
        for (int y = 0; y < 42; ++y)
            for (int x = 0; x < 11; ++x) {
                const double t = y / len;
                const double half = 4.8 * (1 - t * 0.8) + 0.6 * std::sin(y * 0.9 + w * 1.7);
                if (t > 1 || std::fabs(x - 5) > half) continue;
                const double heat = (1 - t) * (1 - std::fabs(x - 5) / (half + 1));
                p.Set(x0 + x, y0 + y, heat > 0.5 ? R3(1.0) : heat > 0.25 ? R3(0.7) : R2(0.6 + heat));
            }
    }
}

void Emblems(Picture& p) {  // kind 194's and 195's marks on the fuselage
    for (int k = 0; k < 2; ++k) {
        Shaper s(20, 30, 10, 15);
        s.Ellipse(0, 0, 8.5, 12.5, kSHullDark);
        if (k == 0) s.Poly({{0, -9}, {6, 6}, {-6, 6}}, kSAccent2);
        else s.Poly({{0, 9}, {6, -6}, {-6, -6}}, kSYellow);
        s.Ellipse(0, 1, 2.2, 2.2, kSGlow);
        Render(p, s, 42 + 20 * k, 240);
    }
}

void Chain(Picture& p) {
    for (int f = 0; f < 33; ++f) {
        const int x0 = 24 * (f % 4), y0 = 24 * (f / 4);
        if (f == 32) {  // joint
            Shaper s(24, 24, 12, 12);
            s.Ellipse(0, 0, 9, 9, kSAccent2);
            s.Ellipse(0, 0, 5, 5, kSHull);
            s.Ellipse(-1, -1, 2, 2, kSGlow);
            Render(p, s, x0, y0);
            continue;
        }
        Shaper s(24, 24, 12, 12, (f % 16) * 32);
        if (f < 16) {  // link: a capsule that reads the same turned half round
            s.Rect(-8, -3.5, 8, 3.5, kSHull);
            s.Ellipse(-8, 0, 3.5, 3.5, kSHull);
            s.Ellipse(8, 0, 3.5, 3.5, kSHull);
            s.Rect(-5, -1, 5, 1, kSAccent2);
        } else {  // the last segment: a double blade
            s.Poly({{-11, 0}, {-3, -5}, {3, -5}, {11, 0}, {3, 5}, {-3, 5}}, kSAccent2);
            s.Poly({{-7, 0}, {0, -2.5}, {7, 0}, {0, 2.5}}, kSLight);
            s.Ellipse(0, 0, 2, 2, kSGlow);
        }
        Render(p, s, x0, y0);
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy5.bmp");
    s.Pal = stagepal::Enemy(kStage);
    Picture& p = s.Pic;
    Hull(p);
    Flames(p);
    Emblems(p);
    Chain(p);
    DrawCarrier(p, 160, 168, kStage);
    DrawOlmardBody(p, kStage);
    DrawOlmard(p, kStage);
    DrawMine(p, 0, 224, kStage);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy5.bmp", Generate);

}  // namespace
}  // namespace zvtools
