// enemy1.bmp: stage 1's enemies: the heavy tank MERCILESS DEVASTATOR X9 (kind 193 with its
// track units 98 and 99, superstructure 96, sliding gun 100, turret 101, missile hatches 102,
// rotating dishes 103 and the rockets 104 they launch), the ground structures of kind 88,
// the carrier 89 and the transport 112.
#include <algorithm>
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"
#include "pictures_stage_parts.h"

namespace zvtools {
namespace {

constexpr int kStage = 1;
void Render(Picture& p, const Shaper& s, int x0, int y0) { RenderStage(p, s, x0, y0, kStage); }

// The tank faces left, toward the ship: the glacis, the headlights and the main gun point
// left; the exhausts and the missile hatches sit at the rear (right).
void CentreHull(Picture& p) {  // kind 193, 130 by 64, drawn at (x - 65, y - 32)
    Shaper s(130, 64, 65, 32);
    // The deck reaches the top row, where the superstructure 96 sits on it.
    s.Poly({{-64, -4}, {-58, -20}, {-46, -32}, {60, -32}, {64, -26}, {64, 26}, {-64, 26}}, kSHull);
    s.Poly({{-64, -4}, {-58, -20}, {-46, -32}, {-34, -32}, {-46, -18}, {-52, -4}}, kSAccent2);  // glacis
    s.Rect(-64, -12, 64, -9, kSHullDark);                                                       // armour belt
    for (int k = 0; k < 3; ++k) s.Rect(8 + 14 * k, -29, 18 + 14 * k, -17, kSIron);              // engine grilles
    s.Ellipse(-24, -24, 7, 3.5, kSSteel);                                                        // hatch
    s.Rect(-16, -4, 16, 24, kSHullDark);                                                         // reactor bay
    s.Ellipse(0, 9, 11, 11, kSIron);
    s.Ellipse(0, 9, 7, 7, kSGlow);                                                               // its core
    s.Rect(-62, 18, 62, 24, kSYellow);                                                           // hazard skirt
    for (int k = 0; k < 6; ++k) s.Rect(-56 + 22 * k, 1, -52 + 22 * k, 14, kSHullDark);          // skirt ribs
    s.Rect(-64, 24, 64, 26, kSIron);
    RenderStage(p, s, 0, 96, kStage);
    Plating(p, 0, 96, s.Ids, kSHull, 16, 9, 193);
    HazardStripes(p, 0, 96, s.Ids, kSYellow, 3);
    for (int k = 0; k < 3; ++k)  // grille slats
        for (int x = 8 + 14 * k; x < 18 + 14 * k; ++x)
            for (int y = -28; y < -17; y += 2) ShadeStep(p, 65 + x, 96 + 32 + y, -2);
}

void TrackUnit(Picture& p, int x0, int w, bool front) {  // kinds 99 (front, left) and 98 bodies
    Shaper s(w, 40, w / 2.0, 20);
    const double h = w / 2.0 - 2;
    if (front) {
        s.Poly({{-h, 4}, {-h + 18, -14}, {h, -14}, {h, 20}, {-h + 6, 20}, {-h, 12}}, kSHull);
        s.Poly({{-h, 4}, {-h + 18, -14}, {-h + 26, -14}, {-h + 8, 4}}, kSAccent2);  // glacis plate
        s.Ellipse(-h + 7, 8, 3, 2.5, kSGlass);                                     // headlights
        s.Ellipse(-h + 14, 8, 3, 2.5, kSGlass);
        s.Rect(h - 26, -18, h - 10, -13, kSHullDark);                              // driver's hood
        s.Rect(h - 23, -17, h - 13, -15, kSGlass);
    } else {
        s.Poly({{-h, -14}, {h - 14, -14}, {h, 0}, {h, 20}, {-h, 20}}, kSHull);
        s.Rect(h - 22, -20, h - 16, -13, kSIron);  // exhaust stacks
        s.Rect(h - 12, -19, h - 6, -13, kSIron);
        s.Rect(h - 23, -21, h - 15, -19, kSHullDark);
        s.Rect(h - 13, -20, h - 5, -18, kSHullDark);
        s.Rect(h - 26, -10, h - 4, 0, kSIron);     // engine grille
    }
    s.Rect(-h + 2, 8, h - 2, 14, kSYellow);         // hazard band on the skirt
    s.Rect(-h + 2, 14, h - 2, 20, kSHullDark);      // skirt lip over the treads
    RenderStage(p, s, x0, 0, kStage);
    Plating(p, x0, 0, s.Ids, kSHull, front ? 20 : 18, 8, front ? 99 : 98);
    HazardStripes(p, x0, 0, s.Ids, kSYellow, 3);
    for (int x = 0; x < w; ++x)  // bolts along the skirt lip
        if (x % 8 == 4 && s.Ids.At(x, 37) == kSHullDark) ShadeStep(p, x0 + x, 37, 3);
    if (!front)
        for (int y = 10; y < 20; y += 2)
            for (int x = 0; x < w; ++x)
                if (s.Ids.At(x, y) == kSIron) ShadeStep(p, x0 + x, y, -2);
}

// Four frames of a track run: the links of the lower run move left one pixel a frame with
// the ground, the upper run right, and the road wheels turn with them.
void Tracks(Picture& p, int x0, int w) {
    const Ramp iron = stagepal::R(5), steel = stagepal::R(3);
    constexpr double kPi = 3.14159265;
    for (int q = 0; q < 4; ++q) {
        const int y0 = 40 + 14 * q;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < w; ++x) {
                // Stadium-shaped belt: radius 6.5 ends.
                const double cx = std::clamp(x + 0.5, 7.0, w - 7.0), cy = 7.0;
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
                uint8_t v = d <= 7.2 ? stagepal::kEdge : stagepal::kKey;  // outline
                if (d <= 6.3) {
                    if (d > 4.0) {  // the links
                        int phase;
                        if (std::fabs(dx) < 0.01) phase = dy < 0 ? x - q : x + q;
                        else phase = static_cast<int>(std::floor((std::atan2(dy, dx) + kPi) / (2 * kPi) * 22)) + q;
                        const bool gap = ((phase % 4) + 4) % 4 == 0;
                        v = gap ? iron.Step(1) : iron.Step(d > 5.6 ? 3 : (dy < 0 ? 6 : 4));
                    } else {
                        v = iron.Step(1);  // the belt's inner side
                    }
                }
                p.Set(x0 + x, y0 + y, v);
            }
        // Sprocket at the front (left), idler at the rear, road wheels between.
        const int n = (w - 14) / 14;
        for (int k = 0; k <= n + 1; ++k) {
            const double wx = k == 0 ? 7 : k == n + 1 ? w - 7 : 7 + (w - 14) * k / (n + 1.0);
            const double r = (k == 0 || k == n + 1) ? 4.4 : 3.7;
            for (int j = -5; j <= 5; ++j)
                for (int i = -5; i <= 5; ++i) {
                    const double dd = std::hypot(i, j);
                    if (dd > r) continue;
                    const double a = std::atan2(j, i) - q * kPi / 12;  // 15 degrees a frame
                    const bool spoke = std::fabs(std::sin(a * 3)) < 0.4 && dd > 1.5 && dd < r - 1;
                    uint8_t v = steel.Step(dd > r - 1 ? 2 : spoke ? 2 : 5 - static_cast<int>((i + j) * 0.3));
                    if (dd < 1.3) v = steel.Step(6);
                    if (k == 0 && dd > r - 1.2 && std::fabs(std::sin(a * 5)) > 0.7) v = iron.Step(1);  // teeth
                    p.Set(x0 + static_cast<int>(wx) + i, y0 + 7 + j, v);
                }
        }
    }
}

void Superstructure(Picture& p) {  // kind 96, 134 by 37 at (156, 109), sits on the hull's deck
    Shaper s(134, 37, 67, 18);
    s.Poly({{-64, 19}, {-52, -2}, {52, -2}, {62, 19}}, kSHull);
    s.Poly({{-22, -2}, {-16, -16}, {30, -16}, {36, -2}}, kSAccent2);  // command tower
    s.Rect(-12, -13, 26, -9, kSGlass);
    s.Rect(24, -18, 26, -16, kSIron);                                 // aerial base
    s.Ellipse(-22, -4, 9, 7, kSHullDark);                             // gun mantlet
    s.Rect(-66, -7, -22, -2, kSSteel);                                // main gun, pointing left
    s.Rect(-66, -8, -58, -1, kSSteel);                                // muzzle brake
    s.Rect(-46, -8, -40, -1, kSHullDark);                             // barrel collar
    for (int k = 0; k < 4; ++k) s.Rect(-40 + 22 * k, 5, -32 + 22 * k, 9, kSHullDark);  // vision slits
    s.Rect(-58, 13, 58, 16, kSRed);
    RenderStage(p, s, 156, 109, kStage);
    Plating(p, 156, 109, s.Ids, kSHull, 22, 7, 96);
    // X9 stencilled on the side, and the aerial.
    static const char* kX9[5] = {"#.#.###", "#.#.#.#", ".#..###", "#.#...#", "#.#.###"};
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 7; ++i)
            if (kX9[j][i] == '#') p.Set(156 + 67 + 38 + i, 109 + 18 + 3 + j, stagepal::R(7).Step(6));
    for (int j = 0; j < 3; ++j) p.Set(156 + 67 + 25, 109 + j, stagepal::R(3).Step(5));
}

void SlidingGun(Picture& p) {  // kind 100: four frames, recoil and muzzle flash
    for (int f = 0; f < 4; ++f) {
        Shaper s(30, 20, 15, 10);
        const double recoil = f % 2 ? 3 : 0;
        s.Rect(-13 + recoil, -2, 4 + recoil, 2, kSSteel);
        s.Rect(-2, -6, 12, 6, kSHullDark);
        s.Rect(0, -4, 10, 4, kSHull);
        Render(p, s, 261, 28 + 20 * f);
        if (f % 2 == 0) {
            p.Set(261 + 1, 28 + 20 * f + 9, stagepal::kGlow.Light());
            p.Set(261 + 1, 28 + 20 * f + 10, stagepal::kGlow.Step(4));
            p.Set(261 + 0, 28 + 20 * f + 10, stagepal::kGlow.Step(3));
        }
    }
}

void Turret(Picture& p) {  // kind 101: eight aims from left round to up-right
    for (int f = 0; f < 8; ++f) {
        Shaper s(28, 16, 14, 10);
        Shaper b(28, 16, 14, 9, 512 + 64 * f + 32);
        b.Rect(3, -1.5, 12, 1.5, kSSteel);   // barrel
        b.Rect(10, -2.2, 13, 2.2, kSSteel);  // muzzle brake
        b.Rect(0, -2.5, 4, 2.5, kSHullDark); // mantlet
        s.Rect(-10, 2, 10, 6, kSHullDark);   // turret ring
        s.Ellipse(0, 1, 9, 6, kSHull);       // dome
        s.Ellipse(-3, -3, 3, 2, kSAccent2);  // commander's cupola
        s.Rect(-10, 4, 10, 6, kSIron);
        for (size_t i = 0; i < b.Ids.Px.size(); ++i)
            if (b.Ids.Px[i]) s.Ids.Px[i] = b.Ids.Px[i];
        RenderStage(p, s, 292, 16 * f, kStage);
        ShadeStep(p, 292 + 11, 16 * f + 7, 2);  // glint on the dome
    }
}

void Hatches(Picture& p) {  // kind 102: closed (0) to open (4) with a missile showing
    for (int f = 0; f < 5; ++f) {
        Shaper s(14, 27, 7, 13.5);
        s.Rect(-6, -4, 6, 12, kSHullDark);
        if (f > 0) s.Rect(-2.5, 10 - 4.5 * f, 2.5, 10, kSRed);  // missile rising
        if (f > 0) s.Poly({{-2.5, 10 - 4.5 * f}, {0, 6 - 4.5 * f}, {2.5, 10 - 4.5 * f}}, kSLight);
        const double lid = 8 - 2 * f;  // lid folds back
        s.Rect(-6, -4 - (8 - lid) * 0.4, -6 + lid * 1.5, -1, kSHull);
        Render(p, s, 207 + 14 * f, 0);
    }
}

void Dish(Picture& p) {  // kind 103
    Shaper s(22, 14, 11, 7);
    s.Ellipse(0, -1, 9, 4, kSSteel);
    s.Ellipse(0, -2, 6, 2, kSHullDark);
    s.Rect(-1, 2, 1, 6, kSIron);
    s.Ellipse(0, -1, 1.5, 1.5, kSGlow);
    Render(p, s, 182, 28);
}

void Rocket(Picture& p) {  // kind 104: rising, then flying left
    for (int f = 0; f < 2; ++f) {
        Shaper s(20, 20, 10, 10, f == 0 ? 768 : 512);
        s.Rect(-5, -2, 4, 2, kSRed);
        s.Poly({{4, -2}, {8, 0}, {4, 2}}, kSLight);
        s.Poly({{-5, -2}, {-2, -2}, {-6, -5}}, kSHullDark);
        s.Poly({{-5, 2}, {-2, 2}, {-6, 5}}, kSHullDark);
        s.Ellipse(-7, 0, 2, 1.5, kSGlow);
        Render(p, s, 220 + 20 * f, 28);
    }
}

void Structures(Picture& p) {  // kind 88: four ground structures, standing on row 52
    for (int v = 0; v < 4; ++v) {
        const int x0 = 80 * (v % 2), y0 = 160 + 80 * (v / 2);
        Shaper s(80, 80, 40, 52);
        if (v == 0) {  // gun bunker: a concrete casemate with a twin-barrelled dome
            s.Bar({-2, -2}, {-26, -20}, 3.2, kSSteel);                   // barrels, aimed up-left
            s.Bar({4, -4}, {-20, -24}, 3.2, kSSteel);
            s.Poly({{-37, 26}, {-28, 4}, {28, 4}, {37, 26}}, kSHull);
            s.Ellipse(0, 4, 18, 13, kSAccent2);                          // turret dome
            s.Rect(-18, 4, 18, 8, kSAccent2);
            s.Rect(-10, -2, 6, 1, kSHullDark);                           // gun slot
            s.Ellipse(8, -3, 3, 2, kSGlass);                             // sight
            s.Rect(-24, 12, -10, 16, kSIron);                            // embrasures
            s.Rect(10, 12, 24, 16, kSIron);
            s.Rect(-34, 20, 34, 24, kSYellow);
            s.Rect(-38, 24, 38, 27, kSHullDark);                         // footing
        } else if (v == 1) {  // radar mast: a lattice tower carrying a dish
            for (int k = -1; k <= 1; k += 2) s.Bar({k * 15.0, 24}, {k * 4.0, -24}, 2.6, kSSteel);
            for (int i = 0; i < 4; ++i) {                                 // cross braces
                const double y1 = 20 - 11 * i, y2 = y1 - 11;
                const double w1 = 4 + 11 * (y1 + 24) / 48, w2 = 4 + 11 * (y2 + 24) / 48;
                s.Bar({-w1, y1}, {w2, y2}, 1.6, kSIron);
                s.Bar({w1, y1}, {-w2, y2}, 1.6, kSIron);
            }
            s.Rect(-22, 18, 22, 27, kSHull);                             // equipment hut
            s.Rect(-16, 20, -6, 24, kSGlass);
            s.Rect(-24, 24, 24, 27, kSHullDark);
            s.Rect(-3, -30, 3, -22, kSHullDark);                         // bearing
            s.Ellipse(0, -36, 21, 8, kSAccent2);                         // dish
            s.Ellipse(0, -37.5, 16, 4.5, kSHullDark);
            s.Bar({0, -38}, {0, -48}, 1.6, kSSteel);                     // feed horn
            s.Ellipse(0, -49, 2.2, 2.2, kSGlow);                         // beacon
        } else if (v == 2) {  // fuel tanks: two banded cylinders joined by a pipe
            s.Rect(-2, 0, 6, 3, kSSteel);                                // pipe
            s.Rect(-30, -8, -4, 24, kSAccent2);
            s.Ellipse(-17, -8, 13, 5, kSAccent2);
            s.Rect(6, 2, 30, 24, kSAccent2);
            s.Ellipse(18, 2, 12, 4.5, kSAccent2);
            for (int k = 0; k < 2; ++k) {                                // hoops
                s.Rect(-30, 0 + 12 * k, -4, 2 + 12 * k, kSHullDark);
                s.Rect(6, 9 + 8 * k, 30, 11 + 8 * k, kSHullDark);
            }
            s.Rect(-26, 4, -8, 9, kSRed);                                // warning band
            s.Rect(8, 12, 28, 16, kSYellow);
            s.Bar({32, 24}, {32, 0}, 1.5, kSIron);                       // ladder
            s.Rect(-34, 22, 34, 27, kSHull);                             // slab
            s.Rect(-34, 25, 34, 27, kSHullDark);
        } else {  // missile silo: a blockhouse with its missile raised beside the gantry
            s.Rect(-24, -6, 24, 27, kSHull);
            s.Rect(-26, -9, 26, -5, kSHullDark);                         // roof edge
            s.Rect(10, -36, 13, -6, kSIron);                             // gantry
            for (int k = 0; k < 3; ++k) s.Rect(2, -32 + 9 * k, 12, -30 + 9 * k, kSIron);
            s.Rect(-16, -30, -6, -6, kSRed);                             // missile
            s.Poly({{-16, -30}, {-11, -40}, {-6, -30}}, kSLight);         // nose cone
            s.Poly({{-16, -12}, {-21, -5}, {-16, -6}}, kSSteel);          // fins
            s.Poly({{-6, -12}, {-1, -5}, {-6, -6}}, kSSteel);
            s.Rect(-16, -20, -6, -18, kSLight);                          // band
            s.Rect(2, 4, 20, 20, kSHullDark);                            // blast door
            s.Rect(4, 6, 18, 10, kSGlass);                               // control window
            s.Rect(-20, 2, -4, 8, kSYellow);
            s.Rect(-20, 14, -4, 20, kSIron);                             // vent
        }
        Render(p, s, x0, y0);
        Plating(p, x0, y0, s.Ids, kSHull, 12, 7, 880 + v);
        HazardStripes(p, x0, y0, s.Ids, kSYellow, 3);
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy1.bmp");
    s.Pal = stagepal::Enemy(kStage);
    Picture& p = s.Pic;
    CentreHull(p);
    TrackUnit(p, 0, 80, false);   // 98, the rear unit, on the right
    TrackUnit(p, 80, 100, true);  // 99, the front unit, on the left
    Tracks(p, 0, 80);
    Tracks(p, 80, 100);
    Superstructure(p);
    SlidingGun(p);
    Turret(p);
    Hatches(p);
    Dish(p);
    Rocket(p);
    Structures(p);
    DrawCarrier(p, 160, 168, kStage);
    DrawTransport(p, 0, 320, kStage);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy1.bmp", Generate);

}  // namespace
}  // namespace zvtools
