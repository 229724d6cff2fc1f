// select.bmp: the character select screen's pictures: the portraits of the three pilots
// (128 by 192, drawn opaque, the weapon list is written over their lower half), the
// selection frame, the "decided" banner and the pieces of the weapon panel's tree lines.
#include <cmath>
#include <string>
#include <vector>

#include "common/pixelart.h"
#include "common/sheetgen.h"
#include "pictures_back_calm.h"
#include "pictures_palettes.h"
#include "pictures_portraits.h"

namespace zvtools {
namespace {

constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kGlow{2, 6}, kRed{24, 8};

void Frame(Picture& p) {  // 88 by 48 at (128, 192): corner brackets, the inside stays clear
    const int x0 = 128, y0 = 192, w = 88, h = 48;
    for (int i = 1; i < w - 1; ++i) {
        const bool corner = i < 14 || i >= w - 14;
        for (int y : {1, h - 2})
            p.Set(x0 + i, y0 + y, corner ? kGlow.At(0.9) : ((i / 2) % 2 ? kGlow.At(0.3) : kKey));
        if (corner)
            for (int y : {2, h - 3}) p.Set(x0 + i, y0 + y, kGlow.At(0.5));
    }
    for (int j = 1; j < h - 1; ++j) {
        const bool corner = j < 12 || j >= h - 12;
        for (int x : {1, w - 2}) p.Set(x0 + x, y0 + j, corner ? kGlow.At(0.9) : kKey);
        if (corner)
            for (int x : {2, w - 3}) p.Set(x0 + x, y0 + j, kGlow.At(0.5));
    }
    Outline(p, x0, y0, w, h, kKey, kEdge);
    p.Set(x0, y0, kKey);
}

void Decided(Picture& p, const PixelArt& font) {  // 128 by 48 at (128, 336): READY!
    const int x0 = 128, y0 = 336;
    for (int y = 10; y < 38; ++y)
        for (int x = 2; x < 126; ++x) {
            const int slant = (38 - y) / 3;
            if (x < 4 + slant || x > 122 - (y - 10) / 3) continue;
            p.Set(x0 + x, y0 + y, DitherRamp(kRed, 0.55 - (y - 10) / 60.0, x, y));
        }
    const std::string word = "READY!";
    for (size_t i = 0; i < word.size(); ++i) {
        const PixelSprite& g = font.Get(std::string(1, word[i]));
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (g.At(gx, gy) != kPixelNone)
                    FillRect(p, x0 + 12 + static_cast<int>(i) * 18 + gx * 3, y0 + 13 + gy * 3, 3, 3,
                             kGlow.At(gy < 3   ? 1.0
                                      : gy < 5 ? 0.75
                                               : 0.55));
    }
    Outline(p, x0, y0, 128, 48, kKey, kEdge);
}

void PanelPieces(Picture& p) {
    const uint8_t line = kGlow.At(0.75), dim = kGlow.At(0.35);
    // Row 288-299: the corner (128-140) joining the upright to the underline (141-192).
    for (int x = 132; x < 193; ++x) {
        p.Set(x, 289, x > 180 ? dim : line);
        p.Set(x, 290, kEdge);
    }
    p.Set(192, 289, kGlow.Light());
    for (int y = 288; y < 290; ++y) p.Set(132, y, line);
    // Row 300-319: the upright (at x 132) of the tree.
    for (int y = 300; y < 320; ++y) {
        p.Set(132, y, line);
        p.Set(133, y, kEdge);
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("select.bmp");
    s.Pal = frontpal::Select();
    const PixelArt font = ReadPixelArt(ctx.assets / "pictures" / "font.txt");
    // The weapon list lies over each portrait from screen row 110 (portrait row 86) down: there
    // the pilot stands in deep shade, so its small text reads on every pilot and slide.
    std::vector<bool> shade(192 - 83, true);
    shade[0] = false;  // the shade's soft upper edge
    for (int c = 0; c < 3; ++c) {
        DrawPortrait(s.Pic, c, (c % 2) * 128, (c / 2) * 192);
        CalmRows(s.Pic, s.Pal, (c % 2) * 128, (c / 2) * 192 + 83, 128, shade, kTextCalmCap,
                 Ramp{56, 8}, -1);
    }
    Frame(s.Pic);
    Decided(s.Pic, font);
    PanelPieces(s.Pic);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("select.bmp", Generate);

}  // namespace
}  // namespace zvtools
