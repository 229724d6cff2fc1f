// back5.bmp: stage 5, a high-speed band of light. Rows 0-59 hold the band (drawn opaque
// across the middle of the screen): two rails of light with an ultraviolet channel between
// them, where "MISSION COMPLETED", "PAUSE" and the boss's lines lie; rows 60-319 six pairs
// of strips, the floor-side strip in the left half and the ceiling-side strip in the right
// half, each repeating every 160 pixels. The stage never clears the screen, so pairs 3 to 6
// are opaque except for a skyline at the band side no deeper than the neighbouring strips
// overlap it at every ship height; pairs 1 and 2 are loose streaks of light over the band.
// Every row of a strip that can come under a text at some ship height is kept dark.
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/sheetgen.h"
#include "pictures_back_calm.h"
#include "pictures_back_common.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using stagepal::R;
const Ramp kViolet = R(1), kMagenta = R(2), kCyan = R(3), kWhite = R(4), kGold = R(5), kDark = R(6),
           kUltraviolet = R(7);

constexpr int kStrip = 160;  // every strip repeats across this width

// Deepest key rows at the band side of the strips of pairs 3 to 6 (index pair - 3). The
// floor side may fray deeper than the ceiling side: the ceiling strips of pairs 3 and 6
// move further with the ship's height than the strips that must cover their gaps.
constexpr int kFloorFray[4] = {22, 20, 24, 24};
constexpr int kCeilingFray[4] = {12, 20, 24, 12};
// The status row (screen rows 229-239) shows rows 29 + y / 10 onward of pair 6's floor strip
// (drawn at 200 - y / 10 for ship height y); from this row on that strip stays plain.
constexpr int kStatusPlate = 27;

// The band's rails of light: rows 0-18 above the texts and 37-48 between them (screen rows
// 90-108 and 127-138), the upper one the wider.
constexpr double kRails[2][2] = {{9.0, 10.0}, {42.5, 6.5}};  // centre row, half height

void Band(Picture& p) {
    const std::vector<bool> text = TextRows(5);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 320; ++x) {
            double d = 1;  // 0 in a rail's middle, 1 at its edge and beyond
            for (const auto& r : kRails) d = std::min(d, std::fabs(y - r[0]) / r[1]);
            // Streaks repeat every 160 pixels like the strips, so the band wraps cleanly too.
            const int seg = (x % kStrip) / 20;
            const double streak = Hash01(seg, y, 51) * (0.75 + 0.25 * std::sin(x * 6.2832 / 40.0));
            uint8_t v;
            if (text[90 + y])  // the channel under the texts: a dim ultraviolet glow
                v = DitherRamp(kUltraviolet, 0.55 + (streak - 0.5) * 0.5, x, y);
            else if (d < 0.25)
                v = kWhite.At(1.0);
            else if (d < 0.45)
                v = Dither(x, y, (d - 0.25) / 0.2, kWhite.At(1.0), kCyan.At(1.0));
            else if (d < 0.8)
                v = DitherRamp(kCyan, 1.02 - (d - 0.45) * 1.2 + (streak - 0.5) * 0.3, x, y);
            else
                v = DitherRamp(kMagenta, 0.9 - (d - 0.8) * 1.5 + (streak - 0.5) * 0.4, x, y);
            if (streak > 0.86 && d > 0.5 && !text[90 + y]) v = kWhite.At(0.7 + (1 - d) * 0.3);
            p.Set(x, y, v);
        }
}

// Pairs 1 and 2: loose horizontal streaks racing over the band, transparent elsewhere.
void Streaks(Picture& p, int x0, int y0, int h, int pair, bool upper) {
    const int seed = 80 + pair * 2 + (upper ? 1 : 0);
    const int rows = h / 3;
    for (int r = 0; r < rows; ++r) {
        const int yy = 1 + r * 3 + static_cast<int>(Hash01(r, 0, seed) * 2);
        if (yy >= h) continue;
        const int len = 12 + static_cast<int>(Hash01(r, 1, seed) * (pair == 1 ? 30 : 60));
        const int start = static_cast<int>(Hash01(r, 2, seed) * kStrip);
        const Ramp& col = Hash01(r, 3, seed) < 0.5 ? kCyan : pair == 1 ? kWhite : kMagenta;
        for (int i = 0; i < len; ++i) {
            const int x = (start + i) % kStrip;
            const double t = static_cast<double>(i) / len;    // tail to head
            if (t < 0.4 && Bayer(x, yy) > t * 2.5) continue;  // the tail thins out
            p.Set(x0 + x, y0 + yy, col.At(0.45 + 0.55 * t));
        }
    }
}

// The band-side skyline of a strip: blocks of machinery of random widths, each up to `fray`
// rows deep, repeating every 160 pixels.
std::vector<int> Skyline(int fray, int seed, int minW, int maxW) {
    std::vector<int> e(kStrip, 0);
    int x = 0, i = 0;
    while (x < kStrip) {
        const int w = minW + static_cast<int>(Hash01(i, 0, seed) * (maxW - minW + 1));
        const double r = Hash01(i, 1, seed);
        const int depth = r < 0.3 ? fray : r < 0.55 ? fray / 2 : r < 0.85 ? fray * 3 / 4 : 2;
        for (int k = 0; k < w && x < kStrip; ++k, ++x) e[x] = depth;
        ++i;
    }
    // Antenna masts rising from some blocks.
    for (int m = 0; m < 3; ++m) {
        const int mx = static_cast<int>(Hash01(m, 7, seed) * kStrip);
        e[mx] = 0;
    }
    return e;
}

// Strip of pair `pair` (3 nearest the band, 6 at the screen edge) of height h at (x0, y0).
// yy counts from the band side; upper strips are drawn upside down.
void Strip(Picture& p, int x0, int y0, int h, int pair, bool upper) {
    const int seed = 100 + pair * 10 + (upper ? 5 : 0);
    const int fray = (upper ? kCeilingFray : kFloorFray)[pair - 3];
    const std::vector<int> e = Skyline(fray, seed, 6 + pair * 2, 14 + pair * 5);
    const double near = (pair - 3) / 3.0;  // 0 deep, 1 at the screen edge
    const Ramp& body = pair <= 4 ? kViolet : kDark;
    const int panelW = 16 + 8 * (pair - 3);  // plating seams
    const int panelH = 6 + 2 * (pair - 3);
    for (int x = 0; x < kStrip; ++x) {
        const int left = e[(x + kStrip - 1) % kStrip], right = e[(x + 1) % kStrip];
        for (int yy = 0; yy < h; ++yy) {
            const int d = yy - e[x];  // rows below the skyline
            if (d < 0) continue;
            const double t = static_cast<double>(yy) / h;  // 0 at the band side
            // Lit by the band: bright near it, darker toward the screen edge.
            const double l =
                pair <= 4 ? 0.78 - t * 0.55 - near * 0.22 : 0.9 - t * 0.6 - near * 0.12;
            uint8_t v = DitherRamp(body, l, x, yy);
            const bool seamV = (x % panelW) == 0;
            const bool seamH = yy > fray && ((yy - fray) % panelH) == 0;
            if (seamV || seamH) v = body.At(l - 0.25);
            if ((x % panelW) == 1 && !seamH) v = body.At(l + 0.12);  // lit lip of each plate
            // Rows of windows in the deeper strips, lamp strips in the nearer ones.
            if (pair <= 4 && d >= 3 && (x % 4) == 1 && (d % 5) == 2 &&
                Hash01(x / 4, d / 5, seed) > 0.45)
                v = (Hash01(x / 4, d, seed + 1) > 0.7 ? kGold : kCyan).At(0.85);
            if (pair >= 5 && (x % panelW) > 3 && (x % panelW) < panelW - 3 && d == fray / 2 + 4 &&
                Hash01(x / panelW, 0, seed) > 0.4)
                v = (pair == 5 ? kMagenta : kCyan).At(0.9);
            // Speed streaks on the nearest plating.
            if (pair == 6 && d > 8 && Hash01(yy, 4, seed) > 0.8) {
                const int run = (x + static_cast<int>(Hash01(yy, 5, seed) * kStrip)) % kStrip;
                if (run < 30) v = kMagenta.At(0.35 + run / 60.0);
            }
            // The floor strip of pair 6 lies under the status row (lives, counter, frame
            // rate) from its row kStatusPlate down at every ship height: a plain dark plate.
            if (pair == 6 && !upper && yy >= kStatusPlate)
                v = yy == kStatusPlate ? body.At(0.45) : DitherRamp(body, 0.2, x, yy);
            // Rim light from the band on the exposed top and on the block sides.
            if (d == 0)
                v = (pair == 3 ? kWhite : kCyan).At(0.95 - near * 0.25);
            else if (d == 1)
                v = kCyan.At(0.7 - near * 0.3);
            else if (yy < left && d < 6)
                v = kCyan.At(0.55 - near * 0.2);  // side facing back
            else if (yy < right && d < 6)
                v = body.At(l - 0.3);  // side in shadow
            p.Set(x0 + x, y0 + (upper ? h - 1 - yy : yy), v);
        }
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back5.bmp");
    s.Pal = stagepal::Back(5);
    Band(s.Pic);
    const int top[7] = {60, 80, 110, 150, 200, 260, 320};
    for (int k = 1; k <= 6; ++k) {
        const int h = top[k] - top[k - 1];
        if (k <= 2) {
            Streaks(s.Pic, 0, top[k - 1], h, k, false);
            Streaks(s.Pic, 160, top[k - 1], h, k, true);
        } else {
            Strip(s.Pic, 0, top[k - 1], h, k, false);
            Strip(s.Pic, 160, top[k - 1], h, k, true);
        }
    }
    // Calm rows: the band where it lies on the screen, each strip at its place for every
    // ship height (the base rows and divisors of the game's parallax).
    CalmRows(s.Pic, s.Pal, 0, 0, 320, StripRowsUnderText(5, 90, 1000, 60), kTextCalmCap,
             kUltraviolet);
    const int floorBase[6] = {114, 117, 126, 143, 166, 200},
              ceilingBase[6] = {106, 93, 74, 47, 14, -20};
    const int div[6] = {1000, 50, 20, 20, 20, 10};
    for (int k = 0; k < 6; ++k) {
        const int h = top[k + 1] - top[k];
        CalmRows(s.Pic, s.Pal, 0, top[k], kStrip, StripRowsUnderText(5, floorBase[k], div[k], h),
                 kTextCalmCap, kDark);
        CalmRows(s.Pic, s.Pal, kStrip, top[k], kStrip,
                 StripRowsUnderText(5, ceilingBase[k], div[k], h), kTextCalmCap, kDark);
    }
    s.Pic.Set(0, 60, stagepal::kKey);  // the game reads the key here
    DrawGiant(s.Pic, 0, 496, 5);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back5.bmp", Generate);

}  // namespace
}  // namespace zvtools
