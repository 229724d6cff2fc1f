// zvlogo.bmp: the title logo, ZELVORIN in bold bevelled chrome letters over a streak of fire,
// 16 colours (a 4-bit picture).
#include <algorithm>
#include <cmath>
#include <string>

#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kChrome{2, 7}, kFire{9, 5};
constexpr uint8_t kDeepRed = 14, kRed = 15;
constexpr int kCellW = 3, kCellH = 7, kLetterGap = 4, kCols = 10, kRows = 10;

// Bold block letters for the title, 10 by 10 cells: strokes three cells wide, bars two
// rows high, so the word reads at a glance.
struct Glyph {
    char C;
    const char* Rows[kRows];
};
constexpr Glyph kGlyphs[] = {
    {'Z', {"##########", "##########", "......####", ".....####.", "....####..", "...####...",
           "..####....", ".####.....", "##########", "##########"}},
    {'E', {"##########", "##########", "###.......", "###.......", "########..", "########..",
           "###.......", "###.......", "##########", "##########"}},
    {'L', {"###.......", "###.......", "###.......", "###.......", "###.......", "###.......",
           "###.......", "###.......", "##########", "##########"}},
    {'V', {"###....###", "###....###", "###....###", "###....###", ".###..###.", ".###..###.",
           "..######..", "..######..", "...####...", "...####..."}},
    {'O', {".########.", "##########", "###....###", "###....###", "###....###", "###....###",
           "###....###", "###....###", "##########", ".########."}},
    {'R', {"#########.", "##########", "###....###", "###....###", "##########", "#########.",
           "###..###..", "###...###.", "###....###", "###....###"}},
    {'I', {"##########", "##########", "...####...", "...####...", "...####...", "...####...",
           "...####...", "...####...", "##########", "##########"}},
    {'N', {"#####..###", "#####..###", "######.###", "######.###", "###.######", "###.######",
           "###..#####", "###..#####", "###...####", "###...####"}},
};

const Glyph& GlyphOf(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.C == c) return g;
    return kGlyphs[0];
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("zvlogo.bmp");
    s.Pal = frontpal::Logo();
    Picture& p = s.Pic;
    const std::string title = "ZELVORIN";
    const int letterW = kCols * kCellW, letterH = kRows * kCellH;
    const int total = static_cast<int>(title.size()) * (letterW + kLetterGap) - kLetterGap;
    const int x0 = (280 - total) / 2, y0 = 12;

    // A streak of fire behind the letters, fading to the left.
    for (int y = 0; y < 136; ++y)
        for (int x = 0; x < 280; ++x) {
            const double cy = 86 + 10 * std::sin(x * 0.018);
            const double d = std::fabs(y - cy) / (4 + x * 0.075);
            const double n = Noise(x * 0.5, y * 2, 5, 9);
            if (d > 1 || n < 0.25 + (280 - x) / 600.0) continue;
            const double heat = (1 - d) * (0.4 + x / 400.0) + (n - 0.5) * 0.4;
            p.Set(x, y, heat > 0.55 ? kFire.Light() : heat > 0.15 ? kFire.At(heat * 1.4) : kDeepRed);
        }
    // Letters: chrome that reflects sky above a horizon line and ground below, with a
    // two-pixel bevel lit from the top left.
    Picture ink(280, 136, 0);
    for (size_t i = 0; i < title.size(); ++i) {
        const Glyph& g = GlyphOf(title[i]);
        const int lx = x0 + static_cast<int>(i) * (letterW + kLetterGap);
        for (int gy = 0; gy < kRows; ++gy)
            for (int gx = 0; gx < kCols; ++gx)
                if (g.Rows[gy][gx] == '#') FillRect(ink, lx + gx * kCellW, y0 + gy * kCellH, kCellW, kCellH, 1);
    }
    for (int y = 0; y < 136; ++y)
        for (int x = 0; x < 280; ++x) {
            if (!ink.At(x, y)) continue;
            const double t = (y - y0) / static_cast<double>(letterH);
            double l = t < 0.48 ? 0.45 + t * 1.1 : t < 0.54 ? 0.08 : 0.25 + (t - 0.54) * 1.2;
            if (!ink.Get(x - 1, y) || !ink.Get(x, y - 1) || !ink.Get(x - 1, y - 1)) l = 1.0;
            else if (!ink.Get(x + 1, y) || !ink.Get(x, y + 1) || !ink.Get(x + 1, y + 1)) l = 0.0;
            else if (!ink.Get(x - 2, y) || !ink.Get(x, y - 2)) l = std::min(1.0, l + 0.3);
            else if (!ink.Get(x + 2, y) || !ink.Get(x, y + 2)) l = std::max(0.0, l - 0.3);
            p.Set(x, y, kChrome.At(l));
        }
    // A thick dark outline and a drop shadow, so the letters stand clear of the fire.
    for (int y = 0; y < 136; ++y)
        for (int x = 0; x < 280; ++x) {
            if (ink.At(x, y)) continue;
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx) near = ink.Get(x + dx, y + dy) != 0;
            for (int k = 1; k <= 4 && !near; ++k) near = ink.Get(x - k, y - k) != 0;
            if (near) p.Set(x, y, kEdge);
        }
    Outline(p, 0, 0, 280, 136, kKey, kEdge);
    // A red bar under the title with a bright edge.
    const int by = y0 + letterH + 8;
    for (int x = x0; x < x0 + total; ++x) {
        p.Set(x, by, kRed);
        p.Set(x, by + 1, kRed);
        p.Set(x, by + 2, kDeepRed);
        p.Set(x, by - 1, kEdge);
        p.Set(x, by + 3, kEdge);
    }
    p.Set(0, 0, kKey);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("zvlogo.bmp", Generate);

}  // namespace
}  // namespace zvtools
