// enemy.bmp: the enemies common to every stage: propeller drones, the rotor gunship, turrets,
// the homing missile, the path-following dart, the big turret, the hopping gunship and the
// thrown canister. Enemies fly right to left, so they face left.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using namespace enemypal;
constexpr double kPi = 3.141592653589793;

enum Mat : uint8_t { kMHull = 1, kMRed, kMGlass, kMDark, kMLight, kMGlow };

std::vector<Material> Mats() {
    std::vector<Material> m(7);
    m[kMHull] = {kHull, 0.58, 0.22, 0.3};
    m[kMRed] = {kRed, 0.55, 0.22, 0.3};
    m[kMGlass] = {kGlass, 0.5, 0.2, 0.0, true};
    m[kMDark] = {kHull, 0.25, 0.15, 0.2};
    m[kMLight] = {kHull, 0.85, 0.12, 0.1};
    m[kMGlow] = {kGlow, 0.75, 0.2, 0.0, true};
    return m;
}

void Render(Picture& p, const Shaper& s, int x0, int y0) {
    RenderMaterials(p, x0, y0, s.Ids, Mats(), kKey, kEdge);
}

// Shapes facing left: x grows toward the back.
Shaper Left(int w, int h) {
    Shaper s(w, h, w / 2.0, h / 2.0, 512);
    s.FlipY = true;
    return s;
}

void Drone(Picture& p, int f, int x0, int y0) {
    Shaper s = Left(32, 32);
    s.Poly({{-6, -3}, {2, -3}, {-4, -11}, {-8, -11}}, kMRed);    // fin
    s.Ellipse(1, 0, 11, 5, kMHull);
    s.Rect(-6, -0.5, 8, 1.5, kMRed);
    s.Ellipse(4, -3, 4, 2.5, kMGlass);
    s.Poly({{-4, 3}, {4, 3}, {-2, 10}, {-7, 10}}, kMDark);       // wing
    s.Ellipse(12.5, 0, 2.2, 2.2, kMLight);                        // hub
    Render(p, s, x0, y0);
    // Propeller seen edge-on: its blades sweep up and down through four frames.
    const double len = std::fabs(std::cos(f * kPi / 4)) * 9 + 1;
    const int px = x0 + 1, py = y0 + 16;
    for (int y = -static_cast<int>(len); y <= len; ++y) {
        p.Set(px, py + y, kHull.Step(std::abs(y) < 3 ? 7 : 5));
        p.Set(px + 1, py + y, kHull.Step(3));
    }
    if (f % 2)
        for (int y = -9; y <= 9; y += 2) p.Set(px - 1, py + y, kHull.Step(4));  // blur
}

void Gunship(Picture& p, int f, int x0, int y0) {
    Shaper s = Left(32, 32);
    s.Rect(-14, -1, -6, 2, kMHull);                                // tail boom
    s.Poly({{-15, -1}, {-11, -1}, {-14, -7}, {-16, -7}}, kMRed);
    s.Ellipse(2, 2, 9, 6.5, kMHull);
    s.Ellipse(6, 0, 4.5, 3.5, kMGlass);
    s.Rect(-2, 7, 8, 9.5, kMDark);                                 // skid
    s.Rect(6, 5, 14, 7, kMDark);                                   // gun
    s.Rect(0, -7, 3, -4, kMDark);                                  // mast
    Render(p, s, x0, y0);
    // Rotor: a blade seen from the side, its length changing as it turns.
    const double len = 3 + 11 * std::fabs(std::cos(f * kPi / 4 + 0.3));
    for (int x = -static_cast<int>(len); x <= len; ++x) {
        p.Set(x0 + 15 + x, y0 + 8, kHull.Step(std::abs(x) < 2 ? 6 : 4));
        p.Set(x0 + 15 + x, y0 + 9, kHull.Step(2));
    }
}

// A turret on a mount: barrel along angle. mountUp puts the base above (ceiling).
void Turret(Picture& p, int x0, int y0, int size, int angle, bool mountUp, double scale) {
    Shaper s(size, size, size / 2.0, size / 2.0);
    const double c = size / 2.0;
    const double by = mountUp ? -c * 0.55 : c * 0.55;
    s.Rect(-c * 0.7, by - (mountUp ? c * 0.3 : -c * 0.3), c * 0.7, by, kMDark);  // base plate
    Shaper b(size, size, c, c, angle);
    b.Scale = scale;
    b.Rect(0, -1.6, c * 0.85 / scale, 1.6, kMLight);
    if (scale > 1.2) b.Rect(0, -4.2, c * 0.8 / scale, -2.2, kMLight);
    for (size_t i = 0; i < b.Ids.Px.size(); ++i)
        if (b.Ids.Px[i]) s.Ids.Px[i] = b.Ids.Px[i];
    s.Ellipse(0, 0, c * 0.45, c * 0.45, kMRed);
    s.Ellipse(-c * 0.12, -c * 0.12, c * 0.16, c * 0.16, kMGlass);
    Render(p, s, x0, y0);
}

void HomingMissile(Picture& p, int f, int x0, int y0) {
    Shaper s(20, 20, 10, 10, f * 64);
    s.Rect(-5, -1.6, 4, 1.6, kMLight);
    s.Poly({{4, -1.6}, {8, 0}, {4, 1.6}}, kMRed);
    s.Poly({{-5, -1.4}, {-2, -1.4}, {-6, -4.5}}, kMRed);
    s.Poly({{-5, 1.4}, {-2, 1.4}, {-6, 4.5}}, kMRed);
    s.Ellipse(-7, 0, 1.8, 1.5, kMGlow);
    Render(p, s, x0, y0);
}

void Dart(Picture& p, int f, int x0, int y0) {
    Shaper s(32, 32, 16, 16, 64 * f + 64);
    s.Poly({{12, 0}, {-8, -10}, {-4, 0}, {-8, 10}}, kMRed);
    s.Poly({{10, 0}, {-5, -4}, {-5, 4}}, kMHull);
    s.Ellipse(2, 0, 3.5, 2.2, kMGlass);
    s.Ellipse(-7, 0, 2, 2, kMGlow);
    Render(p, s, x0, y0);
}

void Hopper(Picture& p, int f, int x0, int y0) {
    Shaper s(40, 40, 20, 20);
    s.Ellipse(0, 3, 17, 6, kMHull);                // saucer
    s.Ellipse(0, 4.5, 12, 2.5, kMRed);
    s.Ellipse(0, -2, 8, 6, kMGlass);               // dome
    for (int k = -1; k <= 1; ++k) s.Ellipse(k * 9, 9, 2.2, 1.6, kMGlow);
    Shaper g(40, 40, 20, 20, f * 64 + 32);         // gun pod turning toward the aim
    g.Rect(4, -2, 17, 2, kMDark);
    g.Ellipse(4, 0, 4, 4, kMLight);
    for (size_t i = 0; i < g.Ids.Px.size(); ++i)
        if (g.Ids.Px[i] && (f >= 8 || !s.Ids.Px[i])) s.Ids.Px[i] = g.Ids.Px[i];
    Render(p, s, x0, y0);
}

void Canister(Picture& p, int x0, int y0) {
    Shaper s(40, 40, 20, 20, 150);
    s.Rect(-9, -13, 9, 13, kMRed);
    s.Rect(-10, -14, 10, -10, kMDark);
    s.Rect(-10, 10, 10, 14, kMDark);
    s.Rect(-9, -2, 9, 2, kMLight);
    Render(p, s, x0, y0);
}

void Generate(const GenContext& ctx) {
    SheetCanvas sc = StartSheet("enemy.bmp");
    sc.Pal = Colors();
    Picture& p = sc.Pic;
    for (int c = 0; c < 4; ++c) {
        Drone(p, c, 32 * c, 0);
        Gunship(p, c, 32 * c, 32);
    }
    Turret(p, 144, 32, 16, 256, true, 1.0);                        // kind 90, firing down
    for (int f = 0; f < 16; ++f) HomingMissile(p, f, 160 + 20 * (f % 8), 20 * (f / 8));
    for (int f = 0; f < 9; ++f) Turret(p, 16 * f, 80, 16, (8 - f) * 64, true, 1.0);   // 114
    for (int f = 0; f < 8; ++f) Turret(p, 16 * f, 64, 16, 512 + 64 * f + 32, false, 1.0);  // 115
    for (int f = 0; f < 16; ++f) Dart(p, f, 32 * (f % 8), 128 + 32 * (f / 8));
    for (int f = 0; f < 8; ++f) Turret(p, 40 * f, 280, 40, 512 + 64 * f + 32, false, 2.2);  // 128
    for (int f = 0; f < 16; ++f) Hopper(p, f, 40 * (f % 8), 200 + 40 * (f / 8));
    Canister(p, 40, 320);
    FillEmptyRects(sc, kHull, kEdge);
    FinishSheet(ctx, sc);
}

ZV_GENERATOR("enemy.bmp", Generate);

}  // namespace
}  // namespace zvtools
