#pragma once
// In-process drawing of the front-end screens on made-up sheets whose pixels say what they
// are: the top row of every glyph cell holds its cell number and, in its second pixel, its
// font and style; text is read from the second and third column of that row, which no
// neighbouring glyph covers, so it reads back with its position and style.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "render/display.h"

namespace sheets {

// Colours of the made-up sheets (glyph cells use 1..79 and the markers below).
constexpr uint8_t FontKey = 255;
constexpr uint8_t Background = 250;  // the whole front-end background
constexpr uint8_t Logo = 240;
constexpr uint8_t LargeMark = 150;   // + style
constexpr uint8_t SmallMark = 170;   // + style
constexpr uint8_t Ship40 = 210;      // + character: the 40x40 pictures
constexpr uint8_t Ship32 = 213;      // + character: the 32x32 pictures
constexpr uint8_t Portrait = 220;    // + character
constexpr uint8_t CopyTop = 230;     // EnemySheet rows 288..299 from x 128
constexpr uint8_t CopyBottom = 231;  // EnemySheet rows 300..319 from x 128
constexpr uint8_t Frame = 232;       // top row of the selection frame
constexpr uint8_t Decided = 233;     // the decided banner

// Sizes the back buffer and fills the six sheets; the display itself stays uninitialised,
// so screen entries do not reload them.
void MakeSheets();

uint8_t Px(int32_t x, int32_t y);

// Text at (x, y) as the screen shows it, n glyphs, ' ' where no glyph starts; style is the
// one of the first glyph, -1 when the glyphs differ in style or font.
struct ReadText {
    std::string text;
    int32_t style = -1;
};
ReadText ReadLarge(int32_t x, int32_t y, size_t n);
ReadText ReadSmall(int32_t x, int32_t y, size_t n);

// Text and style at a place.
::testing::AssertionResult LargeAt(int32_t x, int32_t y, int32_t style, const std::string& text);
::testing::AssertionResult SmallAt(int32_t x, int32_t y, int32_t style, const std::string& text);

}  // namespace sheets
