#include "pictures_stage_parts.h"

#include <algorithm>
#include <cmath>

#include "pictures_palettes.h"

namespace zvtools {

std::vector<Material> StageMaterials(int stage) {
    using stagepal::R;
    std::vector<Material> m(kSMatCount);
    // Stage ramps (see pictures_palettes.cpp): 1 main hull, 2 second colour, 3 steel or
    // cream, 4 red/blue marking, 5 iron, 6 glass, 7 bright accent.
    const Ramp hull = R(1), second = R(2), steel = R(3);
    const Ramp red = stage == 1 ? R(4) : stage == 2 ? R(2) : R(7);
    const Ramp iron = stage == 1 ? R(5) : stage == 2 ? R(1) : R(1);
    const Ramp glass = stage == 1 ? R(6) : stage == 2 ? R(6) : R(3);
    const Ramp yellow = stage == 1 ? R(7) : stage == 2 ? R(5) : R(6);
    m[kSHull] = {hull, 0.55, 0.22, 0.3};
    m[kSHullDark] = {hull, 0.3, 0.18, 0.2};
    m[kSSteel] = {steel, 0.6, 0.22, 0.25};
    m[kSRed] = {red, 0.55, 0.22, 0.2};
    m[kSIron] = {iron, 0.35, 0.2, 0.15};
    m[kSGlass] = {glass, 0.55, 0.2, 0.0, true};
    m[kSYellow] = {yellow, 0.65, 0.2, 0.1};
    m[kSLight] = {steel, 0.85, 0.12, 0.1};
    m[kSGlow] = {stagepal::kGlow, 0.7, 0.2, 0.0, true};
    m[kSAccent2] = {second, 0.55, 0.22, 0.25};
    return m;
}

void RenderStage(Picture& p, const Shaper& s, int x0, int y0, int stage) {
    RenderMaterials(p, x0, y0, s.Ids, StageMaterials(stage), stagepal::kKey, stagepal::kEdge);
}

void ShadeStep(Picture& p, int x, int y, int d) {
    if (!p.In(x, y)) return;
    const int v = p.At(x, y);
    if (v < 8) return;
    p.Ref(x, y) = static_cast<uint8_t>((v & ~7) + std::clamp((v & 7) + d, 0, 7));
}

void Plating(Picture& p, int x0, int y0, const Picture& ids, uint8_t mat, int seamW, int seamH, int seed) {
    for (int y = 0; y < ids.H; ++y)
        for (int x = 0; x < ids.W; ++x) {
            if (ids.At(x, y) != mat) continue;
            // Only inside the part, away from its rim shading.
            if (ids.Get(x - 1, y) != mat || ids.Get(x + 1, y) != mat || ids.Get(x, y - 1) != mat ||
                ids.Get(x, y + 1) != mat)
                continue;
            const int px = x0 + x, py = y0 + y;
            if (x % seamW == 0) ShadeStep(p, px, py, -2);
            else if (x % seamW == 1) ShadeStep(p, px, py, 1);
            else if (y % seamH == 0) ShadeStep(p, px, py, -1);
            else if (y % seamH == 1) ShadeStep(p, px, py, 1);
            else if ((x % seamW == 3 || x % seamW == seamW - 2) && y % seamH == 3) {
                ShadeStep(p, px, py, 2);  // rivet head and its shadow
                ShadeStep(p, px + 1, py + 1, -2);
            } else if (Hash01(x, y, seed) > 0.975) {
                ShadeStep(p, px, py, -1);  // wear
            }
        }
}

void HazardStripes(Picture& p, int x0, int y0, const Picture& ids, uint8_t mat, int band) {
    for (int y = 0; y < ids.H; ++y)
        for (int x = 0; x < ids.W; ++x)
            if (ids.At(x, y) == mat && ((x + y) / band) % 2) ShadeStep(p, x0 + x, y0 + y, -4);
}

void PropellerDisc(Picture& p, int cx, int cy, double rx, double ry) {
    const Ramp light = stagepal::R(3);
    const int w = static_cast<int>(rx) + 1, h = static_cast<int>(ry) + 1;
    for (int y = -h; y <= h; ++y)
        for (int x = -w; x <= w; ++x) {
            const double d = (x / rx) * (x / rx) + (y / ry) * (y / ry);
            if (d > 1) continue;
            const double blade = std::abs(std::abs(y) - ry * 0.55) < 1.6 ? 0.25 : 0;  // blade blur
            const double level = 0.35 + 0.5 * d - blade - 0.12 * y / ry;               // bright rim
            p.Set(cx + x, cy + y, DitherRamp(light, level, cx + x, cy + y));
        }
    FillEllipse(p, cx, cy, 1.6, 2.6, stagepal::R(1).At(0.8));  // spinner
    Outline(p, cx - w - 1, cy - h - 1, 2 * w + 3, 2 * h + 3, stagepal::kKey, stagepal::kEdge);
}

// Kind 89 faces left in every stage: a hover carrier over the base (1), a flying gunboat
// with propellers over the sea (2), a swept energy carrier in the band of light (5).
void DrawCarrier(Picture& p, int x0, int y0, int stage) {
    Shaper s(160, 72, 80, 36);
    if (stage == 1) {
        s.Poly({{-76, 4}, {-56, -18}, {64, -18}, {76, -6}, {76, 14}, {-70, 14}}, kSHull);
        s.Poly({{-76, 4}, {-56, -18}, {-44, -18}, {-62, 4}}, kSAccent2);   // glacis
        s.Rect(10, -30, 60, -18, kSAccent2);                                // bridge
        s.Rect(16, -27, 54, -23, kSGlass);
        s.Rect(-40, -26, -14, -18, kSHullDark);                             // gun deck
        s.Rect(-66, -24, -38, -21, kSSteel);                                // gun, pointing left
        s.Rect(-66, -25, -60, -20, kSSteel);
        s.Rect(-70, 4, 76, 9, kSYellow);                                    // hazard band
        s.Poly({{-70, 14}, {76, 14}, {62, 26}, {-56, 26}}, kSHullDark);
        for (int k = 0; k < 4; ++k) s.Ellipse(-36 + 28 * k, 28, 8, 4.5, kSGlow);  // lift jets
        for (int k = 0; k < 5; ++k) s.Rect(-46 + 24 * k, -12, -38 + 24 * k, -6, kSIron);  // hatches
        RenderStage(p, s, x0, y0, stage);
        Plating(p, x0, y0, s.Ids, kSHull, 18, 7, 89);
        HazardStripes(p, x0, y0, s.Ids, kSYellow, 3);
    } else if (stage == 2) {
        // A boat-shaped hull with a keel, a bridge and two propeller nacelles.
        s.Poly({{-78, -6}, {-62, -16}, {60, -16}, {74, -24}, {78, -10}, {70, 8}, {40, 22}, {-40, 22}, {-66, 10}}, kSHull);
        s.Poly({{-78, -6}, {-66, 10}, {-40, 22}, {40, 22}, {70, 8}, {62, 6}, {36, 14}, {-38, 14}, {-60, 4}}, kSRed);  // waterline
        s.Poly({{-26, -16}, {-20, -30}, {22, -30}, {30, -16}}, kSAccent2);  // bridge
        s.Rect(-16, -27, 18, -22, kSGlass);
        s.Rect(-2, -34, 2, -30, kSIron);                                    // mast
        s.Rect(-8, -36, 8, -34, kSIron);
        for (int k = -1; k <= 1; k += 2) {
            s.Rect(k * 48 - 2, -21, k * 48 + 6, -16, kSIron);              // pylons
            s.Ellipse(k * 48, -25, 13, 5, kSHullDark);                      // nacelles
            s.Ellipse(k * 48 - 13, -25, 2.5, 2.5, kSSteel);                 // spinners
            s.Ellipse(k * 48 + 12, -25, 2, 3, kSGlow);                      // exhausts
        }
        for (int k = 0; k < 7; ++k) s.Ellipse(-48 + 16 * k, 2, 2.4, 2.4, kSGlass);  // portholes
        s.Bar({67, -21}, {64, -33}, 2.6, kSSteel);                          // stern gun
        s.Rect(61, -24, 73, -17, kSHullDark);
        RenderStage(p, s, x0, y0, stage);
        Plating(p, x0, y0, s.Ids, kSHull, 14, 6, 289);
        // Propellers in front of the nacelles: a spinning disc seen edge-on, bright at its
        // rim, with two blurred blades and an outline so it reads at 1x.
        for (int k = -1; k <= 1; k += 2) PropellerDisc(p, x0 + 80 + k * 48 - 17, y0 + 11, 3.5, 10);
    } else {
        // A swept wedge with an open energy ring at the stern.
        s.Poly({{-78, 0}, {-40, -18}, {40, -24}, {70, -30}, {62, -8}, {62, 8}, {70, 30}, {40, 24}, {-40, 18}}, kSHull);
        s.Poly({{-78, 0}, {-40, -18}, {-30, -10}, {-30, 10}, {-40, 18}}, kSAccent2);  // prow
        s.Poly({{-30, -4}, {20, -8}, {20, 8}, {-30, 4}}, kSHullDark);                 // spine
        s.Poly({{-20, -3}, {-4, -5}, {-4, 5}, {-20, 3}}, kSGlass);                    // canopy
        s.Ellipse(46, 0, 14, 22, kSHullDark);                                         // ring housing
        s.Ellipse(46, 0, 9, 16, kSGlow);                                              // energy ring
        s.Ellipse(46, 0, 5, 10, kSHullDark);
        for (int k = -1; k <= 1; k += 2) {
            s.Poly({{0, k * 16.0}, {30, k * 22.0}, {36, k * 34.0}, {10, k * 26.0}}, kSRed);  // fins
            s.Rect(-50, k * 10.0 - 1.5, -20, k * 10.0 + 1.5, kSSteel);                       // cannons
        }
        RenderStage(p, s, x0, y0, stage);
        Plating(p, x0, y0, s.Ids, kSHull, 12, 8, 589);
        for (int x = 0; x < 160; x += 6)  // running lights along the hull's edges
            for (int y = 0; y < 72; ++y)
                if (s.Ids.At(x, y) == kSHull && s.Ids.Get(x, y - 1) != kSHull) {
                    p.Set(x0 + x, y0 + y, stagepal::R(3).Step(7));
                    break;
                }
    }
}

// Kind 112: an armoured halftrack facing right, a turret on its back and a headlight.
void DrawTransport(Picture& p, int x0, int y0, int stage) {
    Shaper s(64, 48, 32, 24);
    s.Rect(4, -17, 28, -14, kSSteel);                 // cannon, pointing forward (right)
    s.Rect(25, -18, 29, -13, kSSteel);                // muzzle brake
    s.Poly({{-29, 2}, {-24, -9}, {18, -9}, {29, -1}, {29, 12}, {-29, 12}}, kSHull);
    s.Poly({{18, -9}, {29, -1}, {29, 4}, {14, 4}}, kSAccent2);  // sloped bow plate
    s.Ellipse(-4, -10, 11, 8, kSAccent2);             // turret
    s.Rect(-15, -10, 7, -7, kSAccent2);
    s.Rect(-9, -14, -1, -11, kSGlass);                // vision block
    s.Rect(-26, -3, -14, 1, kSIron);                  // rear grille
    s.Ellipse(26, 2, 2.2, 2.2, kSGlow);               // headlight
    s.Rect(-29, 4, 29, 6.5, kSYellow);
    s.Poly({{-30, 12}, {28, 12}, {30, 15}, {27, 21}, {-27, 21}, {-30, 15}}, kSIron);  // tracks
    for (int k = 0; k < 5; ++k) s.Ellipse(-21 + 10.5 * k, 16, 3.6, 3.6, kSSteel);
    for (int k = 0; k < 5; ++k) s.Ellipse(-21 + 10.5 * k, 16, 1.2, 1.2, kSHullDark);
    RenderStage(p, s, x0, y0, stage);
    Plating(p, x0, y0, s.Ids, kSHull, 11, 6, 112);
    HazardStripes(p, x0, y0, s.Ids, kSYellow, 3);
    for (int x = 1; x < 64; x += 3)  // track treads
        for (int y = 0; y < 48; ++y)
            if (s.Ids.At(x, y) == kSIron && y >= 36 && (s.Ids.Get(x, y + 1) != kSIron || s.Ids.Get(x, y - 1) != kSIron))
                ShadeStep(p, x0 + x, y0 + y, 2);
}

void DrawMine(Picture& p, int x0, int y0, int stage) {
    Shaper s(16, 16, 8, 8);
    for (int k = 0; k < 4; ++k) {
        const double a = k * 1.5708 + 0.785;
        s.Bar({0, 0}, {std::cos(a) * 7, std::sin(a) * 7}, 2, kSSteel);
    }
    s.Ellipse(0, 0, 4.6, 4.6, kSRed);
    s.Ellipse(-1, -1, 1.5, 1.5, kSGlow);
    RenderStage(p, s, x0, y0, stage);
}

void DrawOlmard(Picture& p, int stage) {  // kind 198: the head, 16 headings
    // A racing dart: needle nose, swept delta wings with red tips, twin intakes, a bubble
    // canopy and a hot engine at the tail. Kept within 15 pixels of the centre so every
    // heading fits its cell.
    for (int f = 0; f < 16; ++f) {
        Shaper s(32, 32, 16, 16, 64 * f + 56);
        for (int k = -1; k <= 1; k += 2) {
            s.Poly({{5, k * 3.0}, {-7, k * 11.0}, {-10, k * 11.0}, {-8, k * 3.0}}, kSAccent2);  // wing
            s.Poly({{-5, k * 9.0}, {-7, k * 11.0}, {-10, k * 11.0}, {-9, k * 8.0}}, kSLight);  // tip
            s.Rect(-2, k * 4.0 - 1.2, 4, k * 4.0 + 1.2, kSIron);                              // intake
        }
        s.Poly({{14, 0}, {7, -3}, {-4, -4.5}, {-11, -3}, {-11, 3}, {-4, 4.5}, {7, 3}}, kSHull);
        s.Poly({{14, 0}, {9, -1.6}, {9, 1.6}}, kSSteel);   // needle nose
        s.Rect(-9, -0.8, 1, 0.8, kSRed);                   // racing stripe
        s.Ellipse(4, 0, 3.6, 2, kSGlass);
        s.Rect(-13, -2.2, -10, 2.2, kSIron);               // exhaust
        s.Ellipse(-13, 0, 1.6, 1.8, kSGlow);
        RenderStage(p, s, 32 * (f % 8), 352 + 32 * (f / 8), stage);
    }
}

void DrawOlmardBody(Picture& p, int stage) {  // kind 125: an armoured segment of the body
    // Seen end on: a thick armour ring of four plates with bolts, a darker collar and a
    // glowing coupling in the middle.
    Shaper s(32, 32, 16, 16);
    s.Ellipse(0, 0, 13, 13, kSHullDark);
    for (int k = 0; k < 4; ++k) {  // armour plates
        const double a = k * 1.5708, c = std::cos(a), d = std::sin(a), e = -d, g = c;
        const double r0 = 7, r1 = 12.5, w0 = 3.5, w1 = 6.5;
        s.Poly({{c * r0 + e * w0, d * r0 + g * w0}, {c * r1 + e * w1, d * r1 + g * w1},
                {c * r1 - e * w1, d * r1 - g * w1}, {c * r0 - e * w0, d * r0 - g * w0}},
               kSAccent2);
    }
    s.Ellipse(0, 0, 7.5, 7.5, kSHull);
    s.Ellipse(0, 0, 4, 4, kSIron);
    s.Ellipse(0, 0, 2.6, 2.6, kSGlow);
    for (int k = 0; k < 4; ++k) {  // bolts between the plates
        const double a = k * 1.5708 + 0.785;
        s.Ellipse(std::cos(a) * 9.5, std::sin(a) * 9.5, 1.6, 1.6, kSRed);
    }
    RenderStage(p, s, 0, 320, stage);
}

}  // namespace zvtools
