#pragma once
// The game's pictures: each file's size, bit depth, palette range and colour key, and every
// rectangle the game draws from it. The generators place their pictures by these tables,
// `zvtool sheets` outlines them for review and the tests check the files against them.
// Header only, so the tests can use it without the tools library.
#include <string>
#include <vector>

namespace zvtools {

struct SheetSpec {
    const char* File;
    int Width, Height;
    int Bits;        // 4 or 8
    int RangeFirst;  // game palette entry of the picture's colour 0
    int RangeCount;  // colours copied into the game palette (0: none, the font)
    int KeyX, KeyY;  // pixel whose value is the colour key (-1: key is index 0, unkeyed)
    int KeyIndex;    // the picture index found there
};

// The key of bullet.bmp is index 32, drawn nowhere; the font's key is an index of the bullet
// colours that no glyph uses, so every font pixel lies in the bullet range.
constexpr int kBulletKey = 32;
constexpr int kFontKey = 16;
constexpr int kSheetKey = 0;  // every other picture keeps index 0 as its key colour

// The large font's cells are 10 by 16, in blocks of 160 by 80 (the small font fills the
// lower right block). A glyph with its outline uses only the top rows of its cell: menu lines
// are 10 pixels apart and keep a clear row between them.
constexpr int kFontCellW = 10, kFontCellH = 16, kFontGlyphRows = 9;
inline bool InLargeFont(int x, int y) {
    return y < 240 && !(x >= 160 && y >= 160);
}

inline const std::vector<SheetSpec>& SheetSpecs() {
    static const std::vector<SheetSpec> specs = {
        {"player.bmp", 320, 560, 8, 0, 48, 0, 0, kSheetKey},
        {"bullet.bmp", 256, 320, 8, 48, 32, 0, 0, kBulletKey},
        {"font.bmp", 320, 240, 8, 48, 0, 0, 0, kFontKey},
        {"zvlogo.bmp", 280, 136, 4, 96, 16, 0, 0, kSheetKey},
        {"select.bmp", 320, 384, 8, 144, 64, 128, 192, kSheetKey},
        {"cloth.bmp", 320, 240, 8, 208, 32, -1, -1, kSheetKey},
        {"enemy.bmp", 320, 360, 8, 144, 32, 0, 0, kSheetKey},
        {"back1.bmp", 320, 672, 8, 80, 64, 0, 0, kSheetKey},
        {"back2.bmp", 320, 672, 8, 80, 64, 0, 150, kSheetKey},
        {"back5.bmp", 320, 672, 8, 80, 64, 0, 60, kSheetKey},
        {"enemy1.bmp", 320, 416, 8, 192, 64, 0, 0, kSheetKey},
        {"enemy2.bmp", 320, 416, 8, 192, 64, 0, 0, kSheetKey},
        {"enemy5.bmp", 320, 416, 8, 192, 64, 0, 0, kSheetKey},
    };
    return specs;
}

inline const SheetSpec* FindSheet(const std::string& file) {
    for (const auto& s : SheetSpecs())
        if (file == s.File) return &s;
    return nullptr;
}

struct SheetRect {
    std::string Label;
    int L, T, R, B;  // right and bottom exclusive
    int W() const { return R - L; }
    int H() const { return B - T; }
};

// Which stage-picture kinds each stage's enemy sheet carries (their rectangles overlap
// between groups, so a stage's timeline may only place the kinds of its own sheet).
//   stage 1 (ground base, heavy tank 193): 193 96 98 99 100 101 102 103 104 88 89 112
//   stage 2 (sea and sky, fast craft 198):  198 125 126 93 192 94 95 89
//   stage 5 (band of light, fighter 194/195): 194 195 124 89 126, and 198 125 as on stage 2

namespace sheetdetail {
inline void Add(std::vector<SheetRect>& v, std::string label, int l, int t, int w, int h) {
    v.push_back({std::move(label), l, t, l + w, t + h});
}
inline std::string N(const char* p, int i) { return std::string(p) + std::to_string(i); }
}  // namespace sheetdetail

inline std::vector<SheetRect> SheetRects(const std::string& file) {
    using namespace sheetdetail;
    std::vector<SheetRect> v;
    if (file == "player.bmp") {
        for (int c = 0; c < 3; ++c)
            for (int s = 0; s < 8; ++s) Add(v, "ship" + std::to_string(c) + "." + std::to_string(s), 40 * s, 40 * c, 40, 40);
        for (int c = 0; c < 3; ++c)
            for (int h = 0; h < 16; ++h)
                Add(v, "anc" + std::to_string(c) + "." + std::to_string(h), 32 * (h % 8),
                    120 + 32 * (2 * c + h / 8), 32, 32);
        for (int g = 0; g < 4; ++g) Add(v, N("glow", g), 256, 120 + 32 * g, 32, 32);
        for (int a = 0; a < 4; ++a) Add(v, N("k23.", a), 288, 120 + 32 * a, 32, 32);
        Add(v, "k16", 49, 338, 26, 6);
        Add(v, "k17", 49, 328, 26, 16);
        Add(v, "k18", 8, 313, 16, 16);
        Add(v, "spark", 84, 313, 18, 14);
        Add(v, "spark17", 84, 313, 18, 28);
        for (int f = 0; f < 16; ++f) Add(v, N("k22.", f), 24 * (f % 8), 360 + 24 * (f / 8), 24, 24);
        for (int p = 0; p < 2; ++p) Add(v, N("k20.", p), 49 + 21 * p, 345, 20, 12);
        Add(v, "k21", 25, 313, 22, 19);
        Add(v, "k24", 90, 341, 12, 12);
        for (int d = 0; d < 8; ++d) Add(v, N("k25.", d), 127 + 16 * d, 344, 17, 16);
        Add(v, "k26", 192, 360, 16, 16);
        Add(v, "k37", 192, 376, 16, 16);
        for (int e = 0; e < 16; ++e) Add(v, N("k28.", e), 24 * (e % 8), 408 + 24 * (e / 8), 24, 24);
        for (int e = 0; e < 16; ++e) Add(v, N("k34.", e), 24 * (e % 8), 456 + 24 * (e / 8), 24, 24);
        for (int d = 0; d < 16; ++d) Add(v, N("k39.", d), 24 * (d % 8), 504 + 24 * (d / 8), 24, 24);
        for (int b = 0; b < 2; ++b) Add(v, N("k29.", b), 208, 360 + 48 * b, 48, 48);
        for (int b = 0; b < 2; ++b) Add(v, N("k38.", b), 256, 360 + 48 * b, 48, 48);
        for (int r = 0; r < 6; ++r) Add(v, N("k33.", r), 128 + 32 * r, 312, 32, 32);
        for (int b = 0; b < 2; ++b) Add(v, N("k40.", b), 192 + 32 * b, 456, 32, 32);
        for (int b = 0; b < 2; ++b) Add(v, N("k41.", b), 192 + 40 * b, 488, 40, 40);
        for (int f = 0; f < 2; ++f) {
            Add(v, N("k44.", f), 256 + 20 * f, 264, 20, 5);
            Add(v, N("k45.", f), 256 + 20 * f, 269, 20, 10);
            Add(v, N("k46.", f), 256 + 20 * f, 286, 20, 20);
        }
        Add(v, "spark46", 304, 280, 16, 32);
        Add(v, "k47.0", 102, 312, 24, 24);
        Add(v, "k47.1", 102, 336, 24, 24);
        Add(v, "link", 76, 338, 6, 6);
        for (int i = 0; i < 5; ++i) Add(v, N("life", i), 256 + 11 * i, 344, 11, 12);
    } else if (file == "bullet.bmp") {
        static const char* cellNames[96] = {};
        (void)cellNames;
        for (int i = 0; i < 96; ++i) {
            std::string n;
            if (i < 32) n = N("b50.", i);
            else if (i < 40) n = N("b49.", i - 32);
            else if (i < 42) n = N("b48.", i - 40);
            else if (i >= 44 && i < 48) n = N("b51.", i - 44);
            else if (i >= 48 && i < 64) n = N("b52.", i - 48);
            else if (i >= 80 && i < 88) n = N("medal", i - 80);
            else if (i >= 88 && i < 92) n = N("b53.", i - 88);
            else if (i >= 92 && i < 94) n = N("vanish", i - 92);
            else if (i == 94) n = "appear";
            else continue;
            Add(v, n, (i % 16) * 16, (i / 16) * 16, 16, 16);
        }
        for (int p = 0; p < 3; ++p) Add(v, N("icon", p), 16 * p, 96, 16, 16);
        for (int p = 1; p <= 4; ++p) Add(v, N("pop68.", p), 32 * (p - 1), 112, 32, 8);
        Add(v, "pop68.0(mirrored)", 63, 112, 26, 8);
        for (int c = 0; c < 4; ++c) Add(v, N("item9.", c), 16 + 24 * c, 120, 24, 24);
        for (int c = 0; c < 6; ++c) Add(v, N("item8.", c), 112 + 24 * c, 120, 24, 24);
        for (int c = 0; c < 6; ++c) Add(v, N("exp72.", c), 32 * c, 144, 32, 32);
        for (int f = 0; f < 6; ++f) Add(v, N("exp73.", f), 64 * (f % 4), 176 + 64 * (f / 4), 64, 64);
        for (int p = 1; p <= 10; ++p) Add(v, N("x", p), 128, 224 + 8 * p, 16, 8);
    } else if (file == "font.bmp") {
        for (int s = 0; s < 5; ++s)
            Add(v, N("large", s), (s % 2) * 160, (s / 2) * 80, 160, 80);
        for (int s = 0; s < 2; ++s) Add(v, N("small", s), 160, 160 + 36 * s, 112, 35);
    } else if (file == "zvlogo.bmp") {
        Add(v, "logo", 0, 0, 280, 136);
    } else if (file == "cloth.bmp") {
        Add(v, "background", 0, 0, 320, 240);
    } else if (file == "select.bmp") {
        for (int c = 0; c < 3; ++c) Add(v, N("portrait", c), (c % 2) * 128, (c / 2) * 192, 128, 192);
        Add(v, "frame", 128, 192, 88, 48);
        Add(v, "decided", 128, 336, 128, 48);
        Add(v, "pipe-long", 128, 288, 65, 12);
        Add(v, "tee", 128, 300, 65, 20);
    } else if (file == "enemy.bmp") {
        for (int c = 0; c < 4; ++c) Add(v, N("k80-86.", c), 32 * c, 0, 32, 32);
        for (int c = 0; c < 4; ++c) Add(v, N("k87.", c), 32 * c, 32, 32, 32);
        Add(v, "k90", 144, 32, 16, 16);
        for (int f = 0; f < 16; ++f) Add(v, N("k91.", f), 160 + 20 * (f % 8), 20 * (f / 8), 20, 20);
        for (int f = 0; f < 9; ++f) Add(v, N("k114.", f), 16 * f, 80, 16, 16);
        for (int f = 0; f < 8; ++f) Add(v, N("k115.", f), 16 * f, 64, 16, 16);
        for (int f = 0; f < 16; ++f) Add(v, N("k116.", f), 32 * (f % 8), 128 + 32 * (f / 8), 32, 32);
        for (int f = 0; f < 8; ++f) Add(v, N("k128.", f), 40 * f, 280, 40, 40);
        for (int f = 0; f < 16; ++f) Add(v, N("k129.", f), 40 * (f % 8), 200 + 40 * (f / 8), 40, 40);
        Add(v, "k134", 40, 320, 40, 40);
    } else if (file == "back1.bmp" || file == "back2.bmp" || file == "back5.bmp") {
        if (file == "back1.bmp") {
            Add(v, "tiles", 0, 0, 256, 256);
            Add(v, "ground", 160, 256, 160, 240);
        } else if (file == "back2.bmp") {
            Add(v, "sky", 0, 0, 320, 150);
            const int top[7] = {150, 170, 200, 240, 290, 350, 420};
            for (int l = 0; l < 6; ++l) Add(v, N("layer", l + 1), 0, top[l], 120, top[l + 1] - top[l]);
        } else {
            Add(v, "band", 0, 0, 320, 60);
            const int top[7] = {60, 80, 110, 150, 200, 260, 320};
            for (int l = 0; l < 6; ++l) {
                Add(v, N("low", l + 1), 0, top[l], 160, top[l + 1] - top[l]);
                Add(v, N("up", l + 1), 160, top[l], 160, top[l + 1] - top[l]);
            }
        }
        Add(v, "k111", 0, 496, 160, 170);
    } else if (file == "enemy1.bmp") {
        Add(v, "k193", 0, 96, 130, 64);
        Add(v, "k96", 156, 109, 134, 37);
        Add(v, "k98", 0, 0, 80, 40);
        Add(v, "k99", 80, 0, 100, 40);
        for (int q = 0; q < 4; ++q) {
            Add(v, N("k98trk", q), 0, 40 + 14 * q, 80, 14);
            Add(v, N("k99trk", q), 80, 40 + 14 * q, 100, 14);
        }
        for (int f = 0; f < 4; ++f) Add(v, N("k100.", f), 261, 28 + 20 * f, 30, 20);
        for (int f = 0; f < 8; ++f) Add(v, N("k101.", f), 292, 16 * f, 28, 16);
        for (int f = 0; f < 5; ++f) Add(v, N("k102.", f), 207 + 14 * f, 0, 14, 27);
        Add(v, "k103", 182, 28, 22, 14);
        for (int f = 0; f < 2; ++f) Add(v, N("k104.", f), 220 + 20 * f, 28, 20, 20);
        for (int p = 0; p < 4; ++p) Add(v, N("k88.", p), 80 * (p % 2), 160 + 80 * (p / 2), 80, 80);
        Add(v, "k89", 160, 168, 160, 72);
        Add(v, "k112", 0, 320, 64, 48);
    } else if (file == "enemy2.bmp") {
        for (int f = 0; f < 10; ++f) Add(v, N("k93.", f), 64 * (f % 5), 64 * (f / 5), 64, 64);
        Add(v, "k94", 160, 128, 96, 36);
        Add(v, "k95", 256, 128, 26, 12);
        Add(v, "k126", 0, 224, 16, 16);
        Add(v, "k125", 0, 320, 32, 32);
        for (int f = 0; f < 16; ++f) Add(v, N("k198.", f), 32 * (f % 8), 352 + 32 * (f / 8), 32, 32);
        Add(v, "k89", 160, 168, 160, 72);
    } else if (file == "enemy5.bmp") {
        Add(v, "hull", 112, 0, 208, 100);
        for (int w = 0; w < 4; ++w) Add(v, N("flame", w), 42 + 11 * w, 192, 11, 42);
        Add(v, "mark194", 42, 240, 20, 30);
        Add(v, "mark195", 62, 240, 20, 30);
        for (int f = 0; f < 33; ++f) Add(v, N("k124.", f), 24 * (f % 4), 24 * (f / 4), 24, 24);
        Add(v, "k89", 160, 168, 160, 72);
        Add(v, "k126", 0, 224, 16, 16);
        Add(v, "k125", 0, 320, 32, 32);
        for (int f = 0; f < 16; ++f) Add(v, N("k198.", f), 32 * (f % 8), 352 + 32 * (f / 8), 32, 32);
    }
    return v;
}

}  // namespace zvtools
