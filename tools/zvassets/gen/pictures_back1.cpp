// back1.bmp: stage 1, a mechanised ground base. The top 256 by 256 pixels hold the terrain
// tiles (see common/tiles.h); rows 256-495 the backdrop, drawn twice side by side from its
// right half, so it repeats every 160 pixels; rows 496-665 the drifting giant (kind 111).
#include <cmath>

#include "common/sheetgen.h"
#include "common/tiles.h"
#include "pictures_back_calm.h"
#include "pictures_back_common.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using stagepal::R;
const Ramp kMetal = R(1), kEarth = R(2), kFar = R(3), kMoss = R(4), kHazardY = R(5), kLampC = R(7);

// A plate block at tile t: bevelled plate with rivets; faces add lit or dark edges.
void PlateTile(Picture& p, int t, const Ramp& ramp, double base, int faces, int style) {
    const int x0 = (t % 16) * 16, y0 = (t / 16) * 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            // Seamless plate seams every 8 pixels across and 16 down, with offset rows.
            const int sx = (x + (y < 8 ? 0 : 4)) % 8, sy = y % 8;
            double l = base + 0.08 * (Hash01(x0 + x, y0 + y, 3) - 0.5);
            if (sy == 0 || sx == 0) l += 0.18;
            if (sy == 7 || sx == 7) l -= 0.2;
            if ((sx == 2 || sx == 5) && (sy == 2 || sy == 5) && style == 1) l += 0.3;  // rivets
            if (style == 2 && y >= 4 && y < 12 && x >= 3 && x < 13)
                l = (y % 2) ? base - 0.3 : base + 0.05;  // vent
            uint8_t v = DitherRamp(ramp, l, x, y);
            if (style == 3 && ((x + y) / 4) % 2 == 0 && y > 2 && y < 13) v = kHazardY.At(0.7);
            if (style == 4)
                v = DitherRamp(kEarth,
                               base + 0.35 * (Noise(x0 + x, y0 + y, 5, 8) - 0.5) +
                                   ((x + 2 * y) % 9 == 0 ? 0.2 : 0),
                               x, y);
            if (style == 5 && std::hypot(x - 7.5, y - 7.5) < 3.5)
                v = kLampC.At(std::hypot(x - 7.5, y - 7.5) < 1.8 ? 1.0 : 0.7);
            if ((faces & 1) && y < 2) v = y == 0 ? ramp.At(0.95) : ramp.At(0.75);    // top
            if ((faces & 2) && y > 13) v = y == 15 ? ramp.At(0.05) : ramp.At(0.2);   // bottom
            if ((faces & 4) && x < 2) v = x == 0 ? ramp.At(0.9) : ramp.At(0.7);      // left
            if ((faces & 8) && x > 13) v = x == 15 ? ramp.At(0.05) : ramp.At(0.22);  // right
            p.Set(x0 + x, y0 + y, v);
        }
}

// The cavern wall (the block the map builds the ceiling and the ground from): dark rock
// faced with bolted plates. The score, the message line and the status row lie on it at
// every scroll position, so it keeps to the dark shades: texture without glare.
void WallTile(Picture& p, int t, const std::vector<Rgb>& pal) {
    const int x0 = (t % 16) * 16, y0 = (t / 16) * 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            // Rock grain, then one plate a tile: a lit top and left edge, a dark seam, bolts
            // in the corners.
            double l = 0.28 + 0.4 * (Noise(x0 + x, y0 + y, 4, 8) - 0.5) +
                       ((x + 2 * y) % 9 == 0 ? 0.06 : 0);
            if (y == 1 || x == 1) l = 0.42;
            if (y == 0 || x == 0) l = 0.02;
            if ((x == 3 || x == 13) && (y == 3 || y == 13)) l = 0.5;
            if ((x == 4 || x == 14) && (y == 4 || y == 14)) l = 0.05;
            p.Set(x0 + x, y0 + y, DitherRamp(kEarth, l, x, y));
        }
    CalmRows(p, pal, x0, y0, 16, std::vector<bool>(16, true), kTextCalmCap, kEarth);
}

void Girder(Picture& p, int t) {
    const int x0 = (t % 16) * 16, y0 = (t / 16) * 16;
    for (int x = 0; x < 16; ++x) {
        for (int y = 1; y < 4; ++y) p.Set(x0 + x, y0 + y, kMetal.At(y == 1 ? 0.9 : 0.6));
        for (int y = 12; y < 15; ++y) p.Set(x0 + x, y0 + y, kMetal.At(y == 12 ? 0.6 : 0.35));
        p.Set(x0 + x, y0 + 0, stagepal::kEdge);
        p.Set(x0 + x, y0 + 15, stagepal::kEdge);
        // Truss: diagonals between the flanges.
        const int d1 = 4 + (x % 8), d2 = 11 - (x % 8);
        if (d1 < 12) p.Set(x0 + x, y0 + d1, kMetal.At(0.5));
        if (d2 >= 4) p.Set(x0 + x, y0 + d2, kMetal.At(0.4));
    }
    for (int y = 4; y < 12; ++y) p.Set(x0, y0 + y, kMetal.At(0.7));
}

void Decor(Picture& p, int t, int kind) {
    const int x0 = (t % 16) * 16, y0 = (t / 16) * 16;
    auto pipeH = [&](int cy) {
        for (int x = 0; x < 16; ++x)
            for (int y = -3; y <= 3; ++y)
                p.Set(x0 + x, y0 + cy + y,
                      std::abs(y) == 3 ? stagepal::kEdge : kMoss.At(0.75 - 0.12 * (y + 2)));
    };
    auto pipeV = [&](int cx) {
        for (int y = 0; y < 16; ++y)
            for (int x = -3; x <= 3; ++x)
                p.Set(x0 + cx + x, y0 + y,
                      std::abs(x) == 3 ? stagepal::kEdge : kMoss.At(0.75 - 0.12 * (x + 2)));
    };
    switch (kind % 8) {
        case 0:
            pipeH(8);
            break;
        case 1:
            pipeV(8);
            break;
        case 2:
            pipeH(8);
            pipeV(8);
            FillRect(p, x0 + 5, y0 + 5, 6, 6, kMoss.At(0.9));
            break;
        case 3:
            for (int y = 0; y < 16; ++y) {
                p.Set(x0 + 4, y0 + y, kMetal.At(0.8));
                p.Set(x0 + 11, y0 + y, kMetal.At(0.3));
                if (y % 8 == (y < 8 ? 0 : 0)) FillRect(p, x0 + 4, y0 + y, 8, 1, kMetal.At(0.6));
            }
            break;
        case 4:
            for (int y = 0; y < 16; ++y) {
                p.Set(x0 + 3, y0 + y, kMetal.At(0.7));
                p.Set(x0 + 12, y0 + y, kMetal.At(0.5));
                if (y % 4 == 1) FillRect(p, x0 + 4, y0 + y, 8, 1, kMetal.At(0.6));
            }
            break;
        case 5:
            FillRect(p, x0 + 2, y0 + 3, 12, 10, stagepal::kEdge);
            FillRect(p, x0 + 3, y0 + 4, 10, 8, kLampC.At(0.45));
            FillRect(p, x0 + 4, y0 + 5, 3, 2, kLampC.At(0.95));
            break;
        case 6:
            FillRect(p, x0 + 7, y0 + 4, 2, 12, kMetal.At(0.5));
            FillRect(p, x0 + 5, y0 + 1, 6, 4, kHazardY.At(0.95));
            break;
        default:
            for (int y = 0; y < 16; ++y)
                p.Set(x0 + 7 + (y / 2) % 2, y0 + y, kMetal.At(y % 4 < 2 ? 0.8 : 0.45));
    }
}

void Tiles(Picture& p, const std::vector<Rgb>& pal) {
    using namespace tiles;
    WallTile(p, kPlate, pal);
    Girder(p, kGirder);
    PlateTile(p, kFloorTop, kMetal, 0.45, 1, 1);
    PlateTile(p, kCeilingLow, kMetal, 0.45, 2, 1);
    PlateTile(p, kFaceLeft, kMetal, 0.45, 4, 1);
    PlateTile(p, kFaceRight, kMetal, 0.45, 8, 1);
    PlateTile(p, kCornerTL, kMetal, 0.45, 5, 1);
    PlateTile(p, kCornerTR, kMetal, 0.45, 9, 1);
    PlateTile(p, kCornerBL, kMetal, 0.45, 6, 1);
    PlateTile(p, kCornerBR, kMetal, 0.45, 10, 1);
    PlateTile(p, kVent, kMetal, 0.45, 0, 2);
    PlateTile(p, kLamp, kMetal, 0.4, 0, 5);
    PlateTile(p, kHazard, kMetal, 0.4, 0, 3);
    PlateTile(p, kRock, kEarth, 0.45, 0, 4);
    PlateTile(p, kDarkPlate, kMetal, 0.25, 0, 1);
    for (int t = 16; t < 32; ++t)
        PlateTile(p, t, kEarth, 0.4 + 0.03 * (t % 3), t == 17 ? 1 : t == 18 ? 2 : 0, 4);
    for (int y = 0; y < 3; ++y)  // moss on the rock top
        for (int x = 0; x < 16; ++x)
            if (y < 2 || Hash01(x, y, 17) > 0.5) p.Set(16 + x, 16 + y, kMoss.At(0.8 - 0.25 * y));
    for (int t = 32; t < 48; ++t) Decor(p, t, t - 32);
    for (int t = 48; t < 256; ++t)
        PlateTile(p, t, t % 3 == 2 ? kEarth : kMetal, 0.3 + 0.05 * (t % 5),
                  (t / 16) % 4 == 3 ? 1 : 0, t % 3 == 2 ? 4 : 1 + (t % 7 == 0 ? 1 : 0));
}

// The base interior behind the terrain: far panelled walls, pillars, pipes and lamps,
// repeating every 160 pixels.
void Backdrop(Picture& p, int x0, int y0, int variant) {
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 160; ++x) {
            const double v = 0.18 + 0.3 * std::sin(y / 240.0 * 3.14159) +
                             0.04 * (Noise(x, y, 12, 4 + variant) - 0.5);
            double l = v;
            const int px = (x + variant * 40) % 40, py = y % 48;
            if (px == 0 || py == 0) l += 0.12;
            if (px == 39 || py == 47) l -= 0.1;
            if (py > 20 && py < 26 && px > 6 && px < 34) l -= 0.08;  // panel slots
            p.Set(x0 + x, y0 + y, DitherRamp(kFar, l, x, y));
        }
    // A great fan in the wall.
    const double fx = x0 + 80, fy = y0 + 118;
    for (int y = -30; y <= 30; ++y)
        for (int x = -30; x <= 30; ++x) {
            const double d = std::hypot(x, y);
            if (d > 28) continue;
            const double a = std::atan2(y, x);
            double l = d > 25 ? 0.75 - (x + y) / 120.0
                              : 0.25 + 0.25 * (std::sin(a * 6 + d * 0.12) > 0.3 ? 1 : 0);
            if (d < 5) l = 0.7 - (x + y) / 20.0;
            p.Set(static_cast<int>(fx) + x, static_cast<int>(fy) + y,
                  DitherRamp(d > 25 ? kMetal : kFar, l, x, y));
        }
    // Pillars and pipes.
    for (int k = 0; k < 2; ++k) {
        const int cx = 18 + 80 * k + (variant ? 20 : 0);
        for (int y = 0; y < 240; ++y)
            for (int x = -7; x <= 7; ++x) {
                const double l = 0.65 - std::fabs(x + 2) / 10.0 + ((y % 32) < 2 ? 0.2 : 0);
                p.Set(x0 + ((cx + x) % 160 + 160) % 160, y0 + y,
                      std::abs(x) == 7 ? stagepal::kEdge : DitherRamp(kMetal, l * 0.8, x, y));
            }
        for (int ly = 40; ly < 240; ly += 64) {
            FillRect(p, x0 + (cx - 2) % 160, y0 + ly, 4, 3, kLampC.At(1.0));
            p.Set(x0 + (cx - 3) % 160, y0 + ly + 1, kLampC.At(0.6));
        }
    }
    for (int py : {62, 186}) {
        for (int x = 0; x < 160; ++x)
            for (int y = -4; y <= 4; ++y)
                p.Set(x0 + x, y0 + py + y,
                      std::abs(y) == 4 ? stagepal::kEdge
                                       : DitherRamp(kMoss, 0.7 - 0.08 * (y + 3), x, y));
        for (int x = 6; x < 160; x += 40) FillRect(p, x0 + x, y0 + py - 5, 3, 11, kMetal.At(0.3));
    }
    for (int x = 0; x < 160; ++x)  // hazard band at the foot of the wall
        for (int y = 210; y < 216; ++y)
            p.Set(x0 + x, y0 + y, ((x + y) / 5) % 2 ? kHazardY.At(0.6) : stagepal::kEdge);
}

// The backdrop stands still behind the warning, the boss's lines, "PAUSE" and "MISSION
// COMPLETED": their rows are kept dim (the fan's rim and hub step down into the shade).
void CalmBackdrop(Picture& p, const std::vector<Rgb>& pal, int x0, int y0) {
    CalmRows(p, pal, x0, y0, 160, StripRowsUnderText(1, 0, 1000, 240), kTextCalmCap, kFar, -1);
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back1.bmp");
    s.Pal = stagepal::Back(1);
    Tiles(s.Pic, s.Pal);
    Backdrop(s.Pic, 160, 256, 0);
    Backdrop(s.Pic, 0, 256, 1);
    CalmBackdrop(s.Pic, s.Pal, 160, 256);
    DrawGiant(s.Pic, 0, 496, 1);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back1.bmp", Generate);

}  // namespace
}  // namespace zvtools
