// zvlogo.bmp: the title logo, ZELVORIN in bevelled chrome letters over a streak of fire,
// 16 colours (a 4-bit picture).
#include <cmath>
#include <string>

#include "common/pixelart.h"
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kChrome{2, 7}, kFire{9, 5};
constexpr uint8_t kDeepRed = 14, kRed = 15;
constexpr int kCellW = 6, kCellH = 12, kLetterGap = 4;

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("zvlogo.bmp");
    s.Pal = frontpal::Logo();
    Picture& p = s.Pic;
    const PixelArt font = ReadPixelArt(ctx.assets / "pictures" / "font.txt");
    const std::string title = "ZELVORIN";
    const int letterW = 5 * kCellW, total = static_cast<int>(title.size()) * (letterW + kLetterGap) - kLetterGap;
    const int x0 = (280 - total) / 2, y0 = 10;

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
    // Letters: every glyph pixel a bevelled chrome block, the rows reflecting sky and ground.
    Picture ink(280, 136, 0);
    for (size_t i = 0; i < title.size(); ++i) {
        const PixelSprite& g = font.Get(std::string(1, title[i]));
        const int lx = x0 + static_cast<int>(i) * (letterW + kLetterGap);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (g.At(gx, gy) != kPixelNone) FillRect(ink, lx + gx * kCellW, y0 + gy * kCellH, kCellW, kCellH, 1);
    }
    for (int y = 0; y < 136; ++y)
        for (int x = 0; x < 280; ++x) {
            if (!ink.At(x, y)) continue;
            const double t = (y - y0) / (7.0 * kCellH);
            double l = t < 0.45 ? 0.55 + t * 0.9 : t < 0.5 ? 1.0 : 0.2 + (t - 0.5) * 0.9;
            if (!ink.Get(x - 1, y) || !ink.Get(x, y - 1)) l = 1.0;
            else if (!ink.Get(x + 1, y) || !ink.Get(x, y + 1)) l = 0.05;
            p.Set(x, y, kChrome.At(l));
        }
    // Drop shadow and outline.
    for (int y = 135; y >= 3; --y)
        for (int x = 279; x >= 3; --x)
            if (ink.At(x - 3, y - 3) && !ink.At(x, y) && p.At(x, y) == kKey) p.Set(x, y, kEdge);
    Outline(p, 0, 0, 280, 136, kKey, kEdge);
    // A red bar under the title with a bright edge.
    const int by = y0 + 7 * kCellH + 8;
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
