// The large font as font.bmp holds it. Menu lines are 10 pixels apart, so every glyph, with
// its outline, must sit in the top rows of its cell and leave a clear row above the next
// line; it must leave a clear column before the next glyph; and the five styles are colour
// variants of one set of shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "krdxlib/bmpfile.h"

namespace {

constexpr int CellW = 10, CellH = 16, Styles = 5, Cells = 80;
constexpr int LinePitch = 10;             // rows between the title's menu lines
constexpr int GlyphRows = LinePitch - 1;  // a glyph's rows, the clear row under them
constexpr int GlyphCols = CellW - 1;      // a glyph's columns, the clear one after them

int CellLeft(int style, int cell) {
    return (cell % 16) * CellW + (style % 2) * 160;
}
int CellTop(int style, int cell) {
    return (cell / 16) * CellH + (style / 2) * 80;
}

struct Ink {
    int Top = CellH, Bottom = -1, Right = -1;
};

Ink InkOf(const TBitmap& b, uint8_t key, int style, int cell) {
    Ink ink;
    for (int y = 0; y < CellH; ++y)
        for (int x = 0; x < CellW; ++x)
            if (b.At(CellLeft(style, cell) + x, CellTop(style, cell) + y) != key) {
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ink.Right = std::max(ink.Right, x);
            }
    return ink;
}

std::string Name(int cell) {
    return "'" + std::string(1, static_cast<char>(cell + 32)) + "'";
}

TEST(FontSheet, LargeGlyphsFitTheMenuLinePitch) {
    const TBitmap b = LoadBitmapFile(std::string(ZV_BIN_DIR) + "/font.bmp");
    const uint8_t key = b.At(0, 0);
    for (int s = 0; s < Styles; ++s) {
        int tallest = 0;
        for (int c = 0; c < Cells; ++c) {
            SCOPED_TRACE("style " + std::to_string(s) + " cell " + Name(c));
            const Ink ink = InkOf(b, key, s, c);
            if (c == 0) {
                EXPECT_EQ(ink.Bottom, -1) << "the space is all key colour";
                continue;
            }
            ASSERT_GE(ink.Bottom, 0) << "no glyph";
            EXPECT_LT(ink.Bottom, GlyphRows) << "runs into the next menu line";
            EXPECT_LT(ink.Right, GlyphCols) << "touches the next glyph";
            tallest = std::max(tallest, ink.Bottom - ink.Top + 1);
        }
        // The capitals fill the rows they have: text stays as large as the pitch allows.
        EXPECT_EQ(tallest, GlyphRows) << "style " << s;
    }
}

TEST(FontSheet, LargeStylesShareTheirShapes) {
    const TBitmap b = LoadBitmapFile(std::string(ZV_BIN_DIR) + "/font.bmp");
    const uint8_t key = b.At(0, 0);
    for (int s = 1; s < Styles; ++s)
        for (int c = 0; c < Cells; ++c) {
            int differ = 0;
            for (int y = 0; y < CellH; ++y)
                for (int x = 0; x < CellW; ++x)
                    differ += (b.At(CellLeft(0, c) + x, CellTop(0, c) + y) == key) !=
                              (b.At(CellLeft(s, c) + x, CellTop(s, c) + y) == key);
            EXPECT_EQ(differ, 0) << "style " << s << " cell " << Name(c);
        }
}

}  // namespace
