// enemy1.bmp: stage 1's enemies: the heavy tank MERCILESS DEVASTATOR X9 (kind 193 with its
// track units 98 and 99, superstructure 96, sliding gun 100, turret 101, missile hatches 102,
// rotating dishes 103 and the rockets 104 they launch), the ground structures of kind 88,
// the carrier 89 and the transport 112.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"
#include "pictures_stage_parts.h"

namespace zvtools {
namespace {

constexpr int kStage = 1;
void Render(Picture& p, const Shaper& s, int x0, int y0) { RenderStage(p, s, x0, y0, kStage); }

void CentreHull(Picture& p) {  // kind 193, 130 by 64, drawn at (x - 65, y - 32)
    Shaper s(130, 64, 65, 32);
    s.Poly({{-62, -10}, {-50, -22}, {50, -22}, {62, -10}, {58, 26}, {-58, 26}}, kSHull);
    s.Rect(-58, -10, 58, -6, kSHullDark);
    s.Rect(-40, -28, 30, -20, kSHullDark);
    for (int k = 0; k < 5; ++k) s.Rect(-50 + 22 * k, 0, -36 + 22 * k, 18, kSHullDark);  // armour skirts
    s.Poly({{-14, -4}, {14, -4}, {10, 14}, {-10, 14}}, kSRed);                            // emblem
    s.Ellipse(0, 5, 5, 5, kSYellow);
    for (int k = 0; k < 6; ++k) s.Rect(-56 + 20 * k, 20, -50 + 20 * k, 24, kSGlow);      // vents
    Render(p, s, 0, 96);
}

void TrackUnit(Picture& p, int x0, int w, bool front) {  // kinds 98 and 99 bodies
    Shaper s(w, 40, w / 2.0, 20);
    const double h = w / 2.0 - 2;
    if (front)
        s.Poly({{-h, -14}, {h - 18, -14}, {h, 4}, {h, 18}, {-h, 18}}, kSHull);
    else
        s.Poly({{-h + 14, -14}, {h, -14}, {h, 18}, {-h, 18}, {-h, 2}}, kSHull);
    s.Rect(-h + 4, 2, h - 4, 7, kSHullDark);
    s.Rect(-h + 6, 9, h - 6, 12, kSRed);
    if (!front) {
        s.Rect(-h + 18, -20, -h + 24, -13, kSIron);  // exhaust stacks
        s.Rect(-h + 28, -19, -h + 34, -13, kSIron);
    } else {
        s.Rect(h - 30, -18, h - 14, -13, kSHullDark);
        s.Rect(h - 26, -17, h - 18, -14, kSGlass);
    }
    Render(p, s, x0, 0);
}

void Tracks(Picture& p, int x0, int w) {  // four frames, the treads moving one step each
    for (int q = 0; q < 4; ++q) {
        const int y0 = 40 + 14 * q;
        Shaper s(w, 14, w / 2.0, 7);
        s.Poly({{-w / 2.0 + 2, -6}, {w / 2.0 - 2, -6}, {w / 2.0 - 1, 0}, {w / 2.0 - 5, 6}, {-w / 2.0 + 5, 6}, {-w / 2.0 + 1, 0}}, kSIron);
        Render(p, s, x0, y0);
        for (int x = 2; x < w - 2; ++x) {
            if ((x + q) % 4 == 0) {
                p.Set(x0 + x, y0 + 1, stagepal::kEdge);
                p.Set(x0 + x, y0 + 12, stagepal::kEdge);
            }
        }
        for (int k = 0; k < w / 12; ++k) {  // road wheels, their spokes turning
            const double cx = x0 + 8 + k * 12 + (w % 12) / 2.0, cy = y0 + 7;
            for (int j = -4; j <= 4; ++j)
                for (int i = -4; i <= 4; ++i) {
                    const double d = std::hypot(i, j);
                    if (d > 4) continue;
                    const double a = std::atan2(j, i) + q * 0.785;
                    const bool spoke = std::fabs(std::sin(a * 2)) < 0.35 && d > 1.5;
                    p.Set(static_cast<int>(cx) + i, static_cast<int>(cy) + j,
                          stagepal::R(3).At(d > 3.3 ? 0.25 : spoke ? 0.35 : 0.7 - (i + j) * 0.05));
                }
        }
    }
}

void Superstructure(Picture& p) {  // kind 96, 134 by 37 at (156, 109)
    Shaper s(134, 37, 67, 18);
    s.Poly({{-64, 16}, {-56, -2}, {40, -2}, {60, 16}}, kSHull);
    s.Rect(-30, -16, 20, -2, kSAccent2);                // command tower
    s.Rect(-24, -12, 14, -8, kSGlass);
    s.Rect(-4, -18, 2, -15, kSIron);
    s.Rect(24, -8, 64, -4, kSSteel);                    // main gun
    s.Rect(22, -10, 34, 0, kSHullDark);
    for (int k = 0; k < 4; ++k) s.Rect(-52 + 14 * k, 6, -44 + 14 * k, 11, kSHullDark);
    s.Rect(-60, 12, 56, 15, kSRed);
    Render(p, s, 156, 109);
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
        Shaper s(28, 16, 14, 11);
        s.Ellipse(0, 0, 8, 5, kSHull);
        s.Rect(-9, 0, 9, 5, kSHullDark);
        Shaper b(28, 16, 14, 9, 512 + 64 * f + 32);
        b.Rect(2, -1.3, 13, 1.3, kSSteel);
        for (size_t i = 0; i < b.Ids.Px.size(); ++i)
            if (b.Ids.Px[i] && !s.Ids.Px[i]) s.Ids.Px[i] = b.Ids.Px[i];
        Render(p, s, 292, 16 * f);
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
        if (v == 0) {  // gun bunker
            s.Poly({{-34, 26}, {-26, 4}, {26, 4}, {34, 26}}, kSHull);
            s.Ellipse(0, 4, 16, 12, kSHullDark);
            s.Rect(-3, -16, 3, -4, kSSteel);
            s.Rect(-22, 12, 22, 16, kSYellow);
        } else if (v == 1) {  // radar mast
            s.Rect(-4, -30, 4, 26, kSSteel);
            s.Poly({{-20, 26}, {-4, 0}, {4, 0}, {20, 26}}, kSHull);
            s.Ellipse(0, -36, 18, 7, kSAccent2);
            s.Ellipse(0, -37, 12, 3, kSHullDark);
            s.Ellipse(0, -22, 2.5, 2.5, kSGlow);
        } else if (v == 2) {  // fuel tanks
            s.Ellipse(-16, 8, 14, 17, kSAccent2);
            s.Ellipse(14, 12, 12, 13, kSAccent2);
            s.Rect(-34, 22, 34, 27, kSHullDark);
            s.Rect(-20, 2, -12, 6, kSRed);
        } else {  // missile silo
            s.Rect(-24, -6, 24, 27, kSHull);
            s.Rect(-18, -20, -6, -6, kSRed);
            s.Poly({{-18, -20}, {-12, -28}, {-6, -20}}, kSLight);
            s.Rect(-26, -8, 26, -4, kSHullDark);
            s.Rect(4, 4, 20, 20, kSHullDark);
            s.Rect(6, 6, 18, 10, kSGlass);
        }
        Render(p, s, x0, y0);
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy1.bmp");
    s.Pal = stagepal::Enemy(kStage);
    Picture& p = s.Pic;
    CentreHull(p);
    TrackUnit(p, 0, 80, true);
    TrackUnit(p, 80, 100, false);
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
