#include "render/text.h"

#include "render/display.h"

void DrawLargeText(int32_t x, int32_t y, int32_t style, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        // Codes below 32 wrap to huge cells, far outside the sheet: nothing to draw.
        const uint32_t c = static_cast<uint8_t>(text[i]) - 32u;
        if (c >= 4096) continue;
        const int32_t left = static_cast<int32_t>(c % 16) * 10 + (style % 2) * 160;
        const int32_t top = static_cast<int32_t>(c / 16) * 16 + (style / 2) * 80;
        Draw(Display.BackBuffer, x + static_cast<int32_t>(i) * 10, y, FontSheet,
             Bounds(left, top, 10, 16), true);
    }
}

void DrawSmallText(int32_t x, int32_t y, int32_t style, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t c = static_cast<uint8_t>(text[i]) - 32u;
        if (c >= 4096) continue;
        const int32_t left = 160 + static_cast<int32_t>(c % 16) * 7;
        const int32_t top = 160 + static_cast<int32_t>(c / 16) * 7 + style * 36;
        Draw(Display.BackBuffer, x + static_cast<int32_t>(i) * 6, y, FontSheet,
             Bounds(left, top, 7, 7), true);
    }
}
