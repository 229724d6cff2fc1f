// select.bmp: the character select screen's pictures: the portraits of the three pilots
// (128 by 192, drawn opaque, the weapon list is written over their lower half), the
// selection frame, the "decided" banner and the pieces of the weapon panel's tree lines.
#include <cmath>
#include <string>

#include "common/pixelart.h"
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kGlow{2, 6}, kSkin{8, 8}, kBlue{16, 8}, kRed{24, 8}, kGreen{32, 8}, kSuit{40, 8},
    kHair{48, 8}, kBack{56, 8};

Ramp Accent(int c) { return c == 0 ? kBlue : c == 1 ? kRed : kGreen; }

enum Mat : uint8_t { kMSkin = 1, kMSkinShade, kMHair, kMHairLight, kMSuit, kMAccent, kMWhite, kMIris, kMDark, kMGlass, kMCount };

void Portrait(Picture& p, int c, int x0, int y0) {
    const Ramp accent = Accent(c);
    // Backdrop: a dark gradient with speed lines in the pilot's colour.
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 128; ++x) {
            uint8_t v = DitherRamp(kBack, 0.55 - y / 192.0 * 0.55, x, y);
            if ((x * 3 + y * 2 + c * 17) % 37 < 2 && y < 120) v = accent.At(0.35);
            p.Set(x0 + x, y0 + y, v);
        }
    Shaper s(128, 192, 64, 0);
    const Ramp hairRamp = c == 0 ? kBlue : c == 1 ? kRed : kHair;
    // Hair behind the head: a bob (Nia), a swept mane (Breska), long straight hair (Mirra).
    if (c == 0) s.Ellipse(0, 66, 31, 36, kMHair);
    if (c == 1) s.Poly({{-30, 40}, {0, 26}, {34, 44}, {40, 110}, {20, 96}, {-34, 100}}, kMHair);
    if (c == 2) s.Poly({{-30, 44}, {0, 30}, {30, 44}, {36, 150}, {-36, 150}}, kMHair);
    // Shoulders and flight suit.
    s.Poly({{-60, 192}, {-54, 138}, {-30, 118}, {30, 118}, {54, 138}, {60, 192}}, kMSuit);
    s.Poly({{-30, 118}, {-12, 118}, {-4, 192}, {-22, 192}}, kMAccent);
    s.Poly({{12, 118}, {30, 118}, {22, 192}, {4, 192}}, kMAccent);
    s.Rect(-50, 150, -36, 158, kMAccent);
    s.Rect(-9, 96, 9, 122, kMSkinShade);                    // neck
    s.Poly({{-16, 118}, {0, 128}, {16, 118}, {12, 114}, {0, 121}, {-12, 114}}, kMSuit);  // collar
    s.Ellipse(0, 70, 24, 31, kMSkin);                       // face
    s.Poly({{-22, 76}, {0, 104}, {22, 76}}, kMSkin);        // chin
    s.Ellipse(-25, 74, 4, 7, kMSkinShade);                  // ears
    s.Ellipse(25, 74, 4, 7, kMSkinShade);
    // Fringe over the forehead.
    if (c == 0) s.Poly({{-27, 60}, {-22, 40}, {0, 36}, {24, 42}, {27, 60}, {14, 52}, {4, 58}, {-8, 52}, {-18, 60}}, kMHairLight);
    if (c == 1) s.Poly({{-26, 58}, {-30, 36}, {-8, 28}, {20, 30}, {30, 50}, {16, 46}, {6, 54}, {-10, 46}}, kMHairLight);
    if (c == 2) s.Poly({{-26, 66}, {-24, 42}, {0, 34}, {24, 42}, {26, 66}, {18, 50}, {0, 46}, {-18, 50}}, kMHairLight);
    // Eyes, brows, nose and mouth.
    for (int k = -1; k <= 1; k += 2) {
        s.Ellipse(k * 10, 76.5, 6, 4.6, kMWhite);
        s.Ellipse(k * 10 + 1, 76, 3.2, 3.8, kMIris);
        s.Ellipse(k * 10 + 1, 76.5, 1.4, 1.8, kMDark);
        s.Bar({k * 4.0, 67 - (c == 1 ? 1.5 : 0.0)}, {k * 16.0, 68 + (c == 1 ? -2.0 : 0.0)}, 1.8, kMHair);
        s.Bar({k * 4.0, 71.6}, {k * 16.5, 72.4}, 1.4, kMDark);  // upper lid
    }
    for (int k = 0; k < 5; ++k) {  // strands in the fringe
        const double x = -18 + 9 * k;
        s.Bar({x, 40 + (k % 2) * 2.0}, {x + (k < 2 ? -3.0 : 3.0), 56}, 1.2, kMHair);
    }
    s.Bar({0, 80}, {1.5, 88}, 1.2, kMSkinShade);
    s.Bar({-5, 95}, {5, 95}, 1.4, kMSkinShade);
    // Headset with a visor light (Nia), a scar of war paint (Breska), a hair band (Mirra).
    if (c == 0) {
        s.Ellipse(-26, 72, 5, 9, kMSuit);
        s.Bar({-26, 80}, {-12, 98}, 2, kMSuit);
        s.Ellipse(-12, 98, 2.2, 2.2, kMGlass);
    }
    if (c == 1) s.Bar({8, 84}, {18, 88}, 2, kMAccent);
    if (c == 2) s.Bar({-26, 44}, {26, 44}, 3, kMAccent);
    std::vector<Material> m(kMCount);
    m[kMSkin] = {kSkin, 0.62, 0.18, 0.2};
    m[kMSkinShade] = {kSkin, 0.38, 0.12, 0.1};
    m[kMHair] = {hairRamp, 0.35, 0.2, 0.2};
    m[kMHairLight] = {hairRamp, 0.55, 0.25, 0.3};
    m[kMSuit] = {kSuit, 0.45, 0.2, 0.3};
    m[kMAccent] = {accent, 0.5, 0.2, 0.2};
    m[kMWhite] = {kSuit, 0.95, 0.0, 0.0};
    m[kMIris] = {accent, 0.55, 0.0, 0.0, true};
    m[kMDark] = {kSuit, 0.0, 0.0, 0.0};
    m[kMGlass] = {kGlow, 0.8, 0.0, 0.0, true};
    RenderMaterials(p, x0, y0, s.Ids, m, -1, -1);
    // Outline the figure against the backdrop.
    for (int y = 1; y < 191; ++y)
        for (int x = 1; x < 127; ++x)
            if (!s.Ids.At(x, y) && (s.Ids.At(x - 1, y) || s.Ids.At(x + 1, y) || s.Ids.At(x, y - 1) || s.Ids.At(x, y + 1)))
                p.Set(x0 + x, y0 + y, kEdge);
    // Catch lights in the eyes.
    for (int k = -1; k <= 1; k += 2) p.Set(x0 + 64 + k * 10 - 1, y0 + 74, kSuit.Light());
}

void Frame(Picture& p) {  // 88 by 48 at (128, 192): corner brackets, the inside stays clear
    const int x0 = 128, y0 = 192, w = 88, h = 48;
    for (int i = 1; i < w - 1; ++i) {
        const bool corner = i < 14 || i >= w - 14;
        for (int y : {1, h - 2}) p.Set(x0 + i, y0 + y, corner ? kGlow.At(0.9) : ((i / 2) % 2 ? kGlow.At(0.3) : kKey));
        if (corner) for (int y : {2, h - 3}) p.Set(x0 + i, y0 + y, kGlow.At(0.5));
    }
    for (int j = 1; j < h - 1; ++j) {
        const bool corner = j < 12 || j >= h - 12;
        for (int x : {1, w - 2}) p.Set(x0 + x, y0 + j, corner ? kGlow.At(0.9) : kKey);
        if (corner) for (int x : {2, w - 3}) p.Set(x0 + x, y0 + j, kGlow.At(0.5));
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
                             kGlow.At(gy < 3 ? 1.0 : gy < 5 ? 0.75 : 0.55));
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
    for (int c = 0; c < 3; ++c) Portrait(s.Pic, c, (c % 2) * 128, (c / 2) * 192);
    Frame(s.Pic);
    Decided(s.Pic, font);
    PanelPieces(s.Pic);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("select.bmp", Generate);

}  // namespace
}  // namespace zvtools
