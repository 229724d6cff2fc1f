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

// The hull, 208 by 100, facing left, seen from the side; the boss position is its pixel
// (112, 64). The lift jet's flame is drawn over local x 32..43 from y -15 down and the
// form's emblem over x 47..67, y -15..15, so the fuselage is deep there.
void Hull(Picture& p) {
    Shaper s(208, 100, 112, 64);
    s.Poly({{-8, -16}, {38, -38}, {58, -38}, {54, -16}}, kSHullDark);             // far wing
    s.Poly({{40, -16}, {62, -48}, {72, -48}, {72, -16}}, kSHullDark);             // far fin
    s.Poly({{50, -16}, {80, -62}, {93, -62}, {95, -16}}, kSAccent2);              // tail fin
    s.Poly({{75, -54}, {80, -62}, {93, -62}, {93, -54}}, kSRed);
    s.Poly({{-111, 2}, {-96, -4}, {-76, -12}, {-50, -21}, {10, -22}, {60, -20}, {96, -14},
            {96, 12}, {60, 17}, {-20, 17}, {-70, 12}, {-96, 6}},
           kSHull);
    s.Poly({{-111, 2}, {-96, -4}, {-90, -5}, {-90, 6.5}, {-96, 6}}, kSSteel);     // nose cone
    s.Ellipse(-60, -19, 22, 8, kSGlass);                                           // canopy
    s.Bar({-60, -27}, {-56, -13}, 2, kSIron);                                      // its frame
    s.Rect(-78, -14, -38, -12, kSHull);                                            // canopy sill
    s.Poly({{-42, -8}, {-12, -10}, {-12, 9}, {-38, 7}}, kSHullDark);               // intake
    s.Poly({{-42, -6}, {-36, -6}, {-34, 5}, {-38, 5}}, kSIron);
    s.Rect(-36, -20, 28, -17, kSRed);                                              // spine stripe
    s.Rect(30, -17, 45, -10, kSIron);                                              // lift-jet bay
    s.Poly({{-86, 2}, {-72, 2}, {-62, 12}, {-72, 12}}, kSAccent2);                // canard
    s.Poly({{-26, 10}, {40, 10}, {74, 34}, {54, 34}}, kSAccent2);                 // near wing
    s.Poly({{48, 26}, {74, 34}, {54, 34}, {44, 28}}, kSRed);                      // wing tip
    s.Rect(-30, 18, 6, 22, kSSteel);                                               // missile
    s.Poly({{-38, 20}, {-30, 17.5}, {-30, 22.5}}, kSRed);
    s.Rect(74, -13, 96, 11, kSIron);                                               // engine
    for (int k = 0; k < 3; ++k) s.Rect(78 + 6 * k, -13, 80 + 6 * k, 11, kSHullDark);  // rings
    s.Ellipse(96, -1, 3, 9, kSGlow);
    for (int k = 0; k < 3; ++k) s.Rect(-6 + 12 * k, 4, 2 + 12 * k, 7, kSYellow);  // vents
    Render(p, s, 112, 0);
    Plating(p, 112, 0, s.Ids, kSHull, 14, 8, 194);
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
        if (f == 32) {  // joint: a bolted hub
            Shaper s(24, 24, 12, 12);
            s.Ellipse(0, 0, 10, 10, kSAccent2);
            s.Ellipse(0, 0, 6.5, 6.5, kSHullDark);
            s.Ellipse(0, 0, 4.5, 4.5, kSHull);
            s.Ellipse(-0.5, -0.5, 2.2, 2.2, kSGlow);
            for (int k = 0; k < 6; ++k)
                s.Ellipse(8.2 * std::cos(k * 1.0472), 8.2 * std::sin(k * 1.0472), 1.3, 1.3, kSSteel);
            Render(p, s, x0, y0);
            continue;
        }
        Shaper s(24, 24, 12, 12, (f % 16) * 32);
        if (f < 16) {  // link: a capsule that reads the same turned half round
            s.Rect(-7, -4.5, 7, 4.5, kSAccent2);
            s.Ellipse(-7, 0, 4.5, 4.5, kSAccent2);
            s.Ellipse(7, 0, 4.5, 4.5, kSAccent2);
            s.Rect(-4, -1.6, 4, 1.6, kSHullDark);  // slot
            s.Ellipse(-7, 0, 2, 2, kSSteel);        // pins
            s.Ellipse(7, 0, 2, 2, kSSteel);
        } else {  // the last segment: a double blade on a hub
            s.Poly({{-11.5, 0}, {-4, -6}, {4, -6}, {11.5, 0}, {4, 6}, {-4, 6}}, kSHullDark);
            s.Poly({{-11, 0}, {-4, -5}, {-2, -2.5}, {-6, 0}}, kSLight);  // edges
            s.Poly({{11, 0}, {4, 5}, {2, 2.5}, {6, 0}}, kSLight);
            s.Poly({{-11, 0}, {-4, 5}, {-2, 2.5}, {-6, 0}}, kSSteel);
            s.Poly({{11, 0}, {4, -5}, {2, -2.5}, {6, 0}}, kSSteel);
            s.Ellipse(0, 0, 3.5, 3.5, kSAccent2);
            s.Ellipse(0, 0, 1.8, 1.8, kSGlow);
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
