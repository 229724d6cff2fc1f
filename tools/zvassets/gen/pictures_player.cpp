// player.bmp: the three characters' ships (flying frames, the shot-down frame), their anchors
// in 16 headings, the chain link, the charge glows, the life icons and every ship shot.
#include <cmath>

#include "common/pixelart.h"
#include "common/sheetgen.h"
#include "pictures_palettes.h"
#include "pictures_player_shots.h"

namespace zvtools {
namespace {

using namespace playerpal;

Ramp Accent(int c) { return c == 0 ? kBlue : c == 1 ? kRed : kGreen; }

enum ShipMat : uint8_t { kMHull = 1, kMAccent, kMGlass, kMDark, kMAccentDark, kMLight };

std::vector<Material> ShipMaterials(int c) {
    std::vector<Material> m(7);
    m[kMHull] = {kSteel, 0.62, 0.22, 0.3};
    m[kMAccent] = {Accent(c), 0.6, 0.22, 0.3};
    m[kMGlass] = {kCyan, 0.55, 0.2, 0.0, true};
    m[kMDark] = {kSteel, 0.28, 0.15, 0.2};
    m[kMAccentDark] = {Accent(c), 0.35, 0.18, 0.2};
    m[kMLight] = {kSteel, 0.85, 0.1, 0.1};
    return m;
}

// The ship of character c facing right, its centre at (cx, cy) of a 40 by 40 map.
// Returns the x of the engine nozzle's back end (where the flame starts) and its y.
Pt ShipShape(Shaper& s, int c) {
    if (c == 0) {  // Nia Corwell: a slim, long-nosed interceptor
        s.Poly({{-9, -3}, {-1, -3}, {-12, -10}, {-16, -10}}, kMAccentDark);  // far wing
        s.Poly({{-17, -3}, {-10, -3}, {-15, -12}, {-19, -12}}, kMAccent);    // tail fin
        s.Poly({{-17, -3}, {3, -5}, {13, -2}, {17, 1}, {6, 4}, {-17, 4}}, kMHull);
        s.Rect(-14, 0, 9, 1.6, kMAccent);                                   // stripe
        s.Ellipse(2, -4.5, 6.5, 3.2, kMGlass);
        s.Poly({{-11, 2}, {1, 2}, {-7, 11}, {-15, 11}}, kMAccent);           // near wing
        s.Rect(-20, -2, -16, 3.5, kMDark);                                   // nozzle
        s.Rect(9, 2.5, 15, 4.2, kMDark);                                     // chin gun
        return {-20, 1};
    }
    if (c == 1) {  // Breska Valorn: a heavy gunship with twin cannons and a belly pod
        s.Poly({{-17, -5}, {-9, -5}, {-15, -13}, {-20, -13}}, kMAccent);
        s.Rect(4, -9, 18, -6.5, kMDark);                                     // upper cannon
        s.Poly({{-18, -5}, {5, -7}, {14, -3}, {16, 2}, {7, 6}, {-18, 6}}, kMHull);
        s.Rect(-15, -1, 8, 1.5, kMAccent);
        s.Ellipse(3, -6, 5.5, 3.0, kMGlass);
        s.Ellipse(-4, 7.5, 9, 3.6, kMAccentDark);                            // belly pod
        s.Rect(4, 6.5, 17, 8.8, kMDark);                                     // lower cannon
        s.Poly({{-13, 4}, {-3, 4}, {-10, 12}, {-17, 12}}, kMAccent);
        s.Rect(-21, -4, -17, 5, kMDark);
        return {-21, 0.5};
    }
    // Mirra Kestevo: a rounded delta with a curved dorsal fin
    s.Poly({{-15, -2}, {-4, -2}, {-10, -12}, {-13, -13}, {-17, -12}}, kMAccent);
    s.Ellipse(0, 0, 16, 5.2, kMHull);
    s.Ellipse(5, -3.5, 6, 3.2, kMGlass);
    s.Poly({{-14, 1}, {8, 1}, {-8, 12}, {-18, 12}}, kMAccent);
    s.Poly({{-8, 4}, {2, 4}, {-8, 9}}, kMAccentDark);
    s.Ellipse(-15, 0.5, 3.5, 3.5, kMDark);
    s.Rect(12, -0.6, 18, 0.8, kMLight);
    return {-18, 0.5};
}

// Thruster flame starting at (x, y) of dst going left, length len.
void Flame(Picture& dst, double x, double y, double len, double half) {
    for (int j = -4; j <= 4; ++j)
        for (int i = -static_cast<int>(len) - 1; i <= 0; ++i) {
            const double t = -i / len;  // 0 at the nozzle, 1 at the tip
            const double w = half * (1 - t * t);
            if (t > 1 || std::fabs(j + 0.5 - 0.5) > w) continue;
            const double heat = (1 - t) * (1 - std::fabs(j) / (w + 0.5));
            dst.Set(static_cast<int>(x) + i, static_cast<int>(y) + j,
                    heat > 0.55 ? kWhite : heat > 0.35 ? 6 : heat > 0.18 ? 5 : 4);
        }
}

void DrawShip(Picture& dst, int c, int frame, int x0, int y0) {
    const double cx = c == 0 ? 24 : 20, cy = c == 0 ? 21 : 20;
    Shaper s(40, 40, cx, cy);
    const Pt nozzle = ShipShape(s, c);
    RenderMaterials(dst, x0, y0, s.Ids, ShipMaterials(c), kKey, kEdge);
    const double len = frame == 0 ? 6 : frame % 2 ? 5 : 8.5;
    Flame(dst, x0 + cx + nozzle.X, y0 + cy + nozzle.Y, len, frame % 2 ? 2.2 : 2.8);
}

// Shot down: the ship tipped nose-down, scorched and smoking.
void DrawShotDown(Picture& dst, int c, int x0, int y0) {
    Picture tmp(40, 40, kKey);
    const double cx = c == 0 ? 24 : 20, cy = c == 0 ? 21 : 20;
    Shaper s(40, 40, cx, cy);
    ShipShape(s, c);
    RenderMaterials(tmp, 0, 0, s.Ids, ShipMaterials(c), kKey, kEdge);
    for (uint8_t& v : tmp.Px)
        if (v >= 8) v = static_cast<uint8_t>(std::max<int>(v & ~7, v - 2));
    CopyTurned(dst, x0 + cx, y0 + cy, tmp, 0, 0, 40, 40, 70, kKey);
    for (int k = 0; k < 7; ++k) {  // smoke and flames trailing up and back
        const double px = x0 + cx - 12 - 2.5 * k, py = y0 + cy - 6 - 2.2 * k;
        const double r = 2 + k * 0.45;
        for (int j = -4; j <= 4; ++j)
            for (int i = -4; i <= 4; ++i)
                if (std::hypot(i, j) <= r && Hash01(i + k * 9, j, 7) > 0.25)
                    dst.Set(static_cast<int>(px) + i, static_cast<int>(py) + j,
                            k < 2 ? (std::hypot(i, j) < r * 0.5 ? 6 : 4) : kSteel.Step(k < 4 ? 3 : 2 - (i + j) % 2));
    }
}

// The anchor of character c, pointing along heading angle, centred in the 32 by 32 cell.
void DrawAnchor(Picture& dst, int c, int angle, int x0, int y0) {
    Shaper s(32, 32, 16, 16, angle);
    s.Ellipse(-10, 0, 3.6, 3.6, kMDark);        // ring
    s.Ellipse(-10, 0, 1.6, 1.6, 0);
    s.Rect(-8, -1.6, 8, 1.6, kMHull);          // shank
    s.Rect(-5.5, -6.5, -3, 6.5, kMAccent);      // stock
    // Crown: a crescent whose arms sweep back, with barbed tips.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double a = angle * 6.283185307179586 / 1024, co = std::cos(a), si = std::sin(a);
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
            const double u = dx * co + dy * si, v = -dx * si + dy * co;
            const double ro = std::hypot(u - 2, v), ri = std::hypot(u + 1.5, v);
            if (ro <= 10.5 && ri >= 9.0 && u > 1.0) s.Ids.Set(x, y, kMAccent);
            if (u >= 7 && u <= 13 && std::fabs(v) <= (13 - u) * 0.45 + 0.3) s.Ids.Set(x, y, kMLight);
        }
    s.Poly({{3, -11.5}, {-3, -10}, {3, -7}}, kMAccentDark);  // flukes
    s.Poly({{3, 11.5}, {-3, 10}, {3, 7}}, kMAccentDark);
    s.Ellipse(4, 0, 2.6, 2.6, kMGlass);          // core light
    RenderMaterials(dst, x0, y0, s.Ids, ShipMaterials(c), kKey, kEdge);
}

// Charge glow g (3: just started, 0: full): a ring of energy round the anchor.
void DrawGlow(Picture& dst, int g, int x0, int y0) {
    const double r = 15.0 - 2.6 * g, width = 3.0 - 0.5 * g;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
            const double e = std::fabs(d - r) / width;
            if (e > 1) continue;
            const double lv = 1 - e;
            if (lv < 0.35 && Bayer(x, y) > 0.5) continue;
            dst.Set(x0 + x, y0 + y, kCyan.At(0.35 + 0.65 * lv + (g == 0 ? 0.1 : 0)));
        }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("player.bmp");
    s.Pal = Colors();
    Picture& p = s.Pic;
    const PixelArt art = ReadPixelArt(ctx.assets / "pictures" / "player.txt");
    for (int c = 0; c < 3; ++c) {
        for (int f = 0; f < 7; ++f) DrawShip(p, c, f, 40 * f, 40 * c);
        DrawShotDown(p, c, 280, 40 * c);
        for (int h = 0; h < 16; ++h)
            DrawAnchor(p, c, h * 64, 32 * (h % 8), 120 + 32 * (2 * c + h / 8));
    }
    for (int g = 0; g < 4; ++g) DrawGlow(p, g, 256, 120 + 32 * g);
    Blit(p, art.Get("link"), 76, 338);
    for (int i = 0; i < 5; ++i) Blit(p, art.Get("life"), 256 + 11 * i, 344);
    DrawShipShots(p, art);
    FillEmptyRects(s, kSteel, kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("player.bmp", Generate);

}  // namespace
}  // namespace zvtools
