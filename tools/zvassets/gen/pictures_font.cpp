// font.bmp: the large font (10 by 16 cells, five colour styles) and the small font (7 by 7
// cells, two styles), drawn from the glyph shapes in assets/pictures/font.txt in the bullet
// colours. Lowercase letters are symbol pictures. A large glyph is its 7 by 7 picture with a
// one-pixel outline, 9 by 9 in the top left of its cell: menu lines are 10 pixels apart and
// keep a clear row between them.
#include <array>
#include <stdexcept>
#include <string>

#include "common/bulletcolours.h"
#include "common/draw.h"
#include "common/pixelart.h"
#include "common/registry.h"
#include "common/sheetlayout.h"

namespace zvtools {
namespace {

constexpr int kLargeBodyW = 7, kLargeBodyH = 7;  // a large glyph's picture
constexpr int kLargeCellW = kFontCellW, kLargeCellH = kFontCellH;
static_assert(kLargeBodyH + 2 <= kFontGlyphRows, "a large glyph and its outline fit the rows");
static_assert(kLargeBodyW + 2 < kLargeCellW, "a clear column between large glyphs");

// A style's colours: body colour per body row (top to bottom) and the outline colour.
struct FontStyle {
    std::array<int, kLargeBodyH> Rows;
    int Edge;
};

int B(int g, int s) {
    return BulletIndex(g, s);
}

// Body rows top to bottom: `top` rows of s3, `mid` of s2, `low` of s1, the rest s0.
FontStyle LargeStyle(int s) {
    auto make = [](int top, int mid, int low, int edge, int s3, int s2, int s1, int s0) {
        FontStyle f{};
        for (int r = 0; r < kLargeBodyH; ++r)
            f.Rows[r] = r < top ? s3 : r < top + mid ? s2 : r < top + mid + low ? s1 : s0;
        f.Edge = edge;
        return f;
    };
    switch (s) {
        case 0:  // normal: white fading to ice blue
            return make(2, 2, 2, B(kGroupSteel, 0), B(kGroupIce, 3), B(kGroupIce, 2),
                        B(kGroupIce, 1), B(kGroupIce, 0));
        case 1:  // dimmed: grey
            return make(2, 2, 3, B(kGroupSteel, 0), B(kGroupSteel, 2), B(kGroupSteel, 2),
                        B(kGroupSteel, 1), B(kGroupSteel, 1));
        case 2:  // selected: gold
            return make(2, 3, 2, B(kGroupFire, 0), B(kGroupGold, 3), B(kGroupGold, 2),
                        B(kGroupGold, 1), B(kGroupGold, 1));
        case 3:  // red
            return make(2, 3, 2, B(kGroupRed, 0), B(kGroupRed, 3), B(kGroupRed, 2), B(kGroupRed, 1),
                        B(kGroupRed, 1));
        default:  // headings: blue
            return make(2, 3, 2, B(kGroupBlue, 0), B(kGroupBlue, 3), B(kGroupBlue, 2),
                        B(kGroupBlue, 1), B(kGroupBlue, 1));
    }
}

// Symbols that keep their own colour in every style: the item colour icons.
int IconGroup(char c, bool small) {
    if (c == 'a') return kGroupRed;
    if (c == 'c' && small) return kGroupGreen;
    if (c == 'd') return kGroupBlue;
    return -1;
}

// Shade of an icon pixel: lit from the top left.
int IconShade(int x, int y, int w, int h) {
    const double t = static_cast<double>(x) / (w - 1) + static_cast<double>(y) / (h - 1);
    return t < 0.6 ? 3 : t < 1.3 ? 2 : 1;
}

// The space has no picture and stays all key colour.
void DrawLargeGlyph(Picture& pic, int x0, int y0, const PixelArt& art, char ch, int style) {
    if (ch == ' ') return;
    const PixelSprite& g = art.Get(std::string("large-") + ch);
    if (g.W != kLargeBodyW || g.H != kLargeBodyH)
        throw std::runtime_error(art.File + ": large glyph must be 7 by 7");
    const FontStyle st = LargeStyle(style);
    const int icon = IconGroup(ch, false);
    for (int r = 0; r < kLargeBodyH; ++r)
        for (int c = 0; c < kLargeBodyW; ++c) {
            if (g.At(c, r) == kPixelNone) continue;
            int v = icon >= 0 ? B(icon, IconShade(c, r, kLargeBodyW, kLargeBodyH)) : st.Rows[r];
            pic.Set(x0 + 1 + c, y0 + 1 + r, static_cast<uint8_t>(v));
        }
    Outline(pic, x0, y0, kLargeCellW, kLargeCellH, kFontKey,
            static_cast<uint8_t>(icon >= 0 ? B(icon, 0) : st.Edge));
}

void DrawSmallGlyph(Picture& pic, int x0, int y0, const PixelArt& art, char ch, int style) {
    const PixelSprite* own = art.Find(std::string("small-") + ch);
    const PixelSprite& big = art.Get(std::string(1, ch));
    static const int kRows[5] = {0, 1, 3, 5, 6};
    auto on = [&](int x, int y) {
        if (x < 0 || y < 0 || x > 4 || y > 4) return false;
        return (own ? own->At(x, y) : big.At(x, kRows[y])) != kPixelNone;
    };
    const int icon = IconGroup(ch, true);
    const int top = style == 0 ? B(kGroupIce, 3) : B(kGroupGold, 3);
    const int low = style == 0 ? B(kGroupIce, 1) : B(kGroupGold, 2);
    const int shadow = style == 0 ? B(kGroupSteel, 0) : B(kGroupFire, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            int v = -1;
            if (on(x, y))
                v = icon >= 0 ? B(icon, IconShade(x, y, 5, 5)) : (y < 3 ? top : low);
            else if (on(x - 1, y - 1))
                v = icon >= 0 ? B(icon, 0) : shadow;
            if (v >= 0) pic.Set(x0 + x, y0 + y, static_cast<uint8_t>(v));
        }
}

void GenerateFont(const GenContext& ctx) {
    const PixelArt art = ReadPixelArt(ctx.assets / "pictures" / "font.txt");
    const SheetSpec& spec = *FindSheet("font.bmp");
    Picture pic(spec.Width, spec.Height, kFontKey);
    for (int code = 32; code < 112; ++code) {
        const char ch = static_cast<char>(code);
        const PixelSprite& g = art.Get(std::string(1, ch));
        if (g.W != 5 || g.H != 7) throw std::runtime_error(art.File + ": glyph must be 5 by 7");
        const int c = code - 32;
        for (int s = 0; s < 5; ++s)
            DrawLargeGlyph(pic, (c % 16) * kLargeCellW + (s % 2) * 160,
                           (c / 16) * kLargeCellH + (s / 2) * 80, art, ch, s);
        for (int s = 0; s < 2; ++s)
            DrawSmallGlyph(pic, 160 + (c % 16) * 7, 160 + s * 36 + (c / 16) * 7, art, ch, s);
    }
    std::vector<Rgb> pal = BulletPalette();
    SavePicture(ctx.out / spec.File, pic, spec.Bits, pal);
}

ZV_GENERATOR("font.bmp", GenerateFont);

}  // namespace
}  // namespace zvtools
