#pragma once
// Bitmap font text from FontSheet: a large font of 10x16 cells in five styles and a small
// font of 7x7 cells in two. Lowercase "a".."o" select symbol glyphs.
#include <cstdint>
#include <string_view>

void DrawLargeText(int32_t x, int32_t y, int32_t style, std::string_view text);
void DrawSmallText(int32_t x, int32_t y, int32_t style, std::string_view text);
