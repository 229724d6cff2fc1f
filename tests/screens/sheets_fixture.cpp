#include "screens/sheets_fixture.h"

#include "base/graphics.h"

namespace sheets {

namespace {

void FillCells(int32_t left, int32_t top, int32_t w, int32_t h, uint8_t mark) {
    for (int32_t c = 1; c < 80; ++c) {
        // Only the top row: the rest of the glyph is see-through, so lines drawn over one
        // another (menu lists 10 pixels apart) stay readable.
        const TRect r = Bounds(left + (c % 16) * w, top + (c / 16) * h, w, 1);
        FillRect(FontSheet, r, static_cast<uint8_t>(c));
        FillRect(FontSheet, Bounds(r.Left + 1, r.Top, 1, 1), mark);
    }
}

ReadText Read(int32_t x, int32_t y, size_t n, int32_t advance, uint8_t mark) {
    ReadText r;
    bool first = true;
    for (size_t i = 0; i < n; ++i) {
        const int32_t gx = x + static_cast<int32_t>(i) * advance;
        const uint8_t code = Px(gx + 2, y);
        if (code < 1 || code > 79) {
            r.text += ' ';
            continue;
        }
        r.text += static_cast<char>(code + 32);
        const int32_t m = Px(gx + 1, y);
        const int32_t style = m >= mark && m < mark + 5 ? m - mark : -1;
        if (first)
            r.style = style;
        else if (style != r.style)
            r.style = -1;
        first = false;
    }
    return r;
}

::testing::AssertionResult Check(const ReadText& got, int32_t x, int32_t y, int32_t style,
                                 const std::string& text) {
    if (got.text == text && got.style == style) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << ") read \"" << got.text << "\" style " << got.style
           << ", wanted \"" << text << "\" style " << style;
}

}  // namespace

void MakeSheets() {
    FinalizeDisplay();
    SetSize(Display.BackBuffer, ScreenWidth, ScreenHeight);

    SetSize(FontSheet, 320, 240);
    Fill(FontSheet, FontKey);
    SetColorKey(FontSheet, FontKey);
    for (int32_t s = 0; s < 5; ++s)
        FillCells((s % 2) * 160, (s / 2) * 80, 10, 16, static_cast<uint8_t>(LargeMark + s));
    for (int32_t s = 0; s < 2; ++s)
        FillCells(160, 160 + 36 * s, 7, 7, static_cast<uint8_t>(SmallMark + s));

    SetSize(StageEnemySheet, 320, 240);
    Fill(StageEnemySheet, Background);

    SetSize(BackSheet, 320, 240);
    Fill(BackSheet, 0);
    FillRect(BackSheet, TRect{1, 1, 280, 136}, Logo);  // pixel (0, 0) keeps the key

    SetSize(PlayerSheet, 64, 320);
    Fill(PlayerSheet, 0);
    for (int32_t c = 0; c < 3; ++c) {
        FillRect(PlayerSheet, Bounds(0, 40 * c, 40, 40), static_cast<uint8_t>(Ship40 + c));
        FillRect(PlayerSheet, Bounds(0, 120 + 64 * c, 32, 32), static_cast<uint8_t>(Ship32 + c));
    }

    SetSize(EnemySheet, 256, 384);
    Fill(EnemySheet, 0);
    for (int32_t c = 0; c < 3; ++c)
        FillRect(EnemySheet, Bounds((c % 2) * 128, (c / 2) * 192, 128, 192),
                 static_cast<uint8_t>(Portrait + c));
    FillRect(EnemySheet, TRect{128, 192, 216, 193}, Frame);
    FillRect(EnemySheet, TRect{128, 288, 256, 300}, CopyTop);
    FillRect(EnemySheet, TRect{128, 300, 256, 320}, CopyBottom);
    FillRect(EnemySheet, TRect{128, 336, 256, 384}, Decided);
    SetColorKey(EnemySheet, 0);
    SetColorKey(PlayerSheet, 0);
    SetColorKey(BackSheet, 0);
}

uint8_t Px(int32_t x, int32_t y) {
    const TSurface& b = Display.BackBuffer;
    if (x < 0 || y < 0 || x >= b.W || y >= b.H) return 0;
    return b.Pixels[static_cast<size_t>(y) * b.W + x];
}

ReadText ReadLarge(int32_t x, int32_t y, size_t n) {
    return Read(x, y, n, 10, LargeMark);
}
ReadText ReadSmall(int32_t x, int32_t y, size_t n) {
    return Read(x, y, n, 6, SmallMark);
}

::testing::AssertionResult LargeAt(int32_t x, int32_t y, int32_t style, const std::string& text) {
    return Check(ReadLarge(x, y, text.size()), x, y, style, text);
}
::testing::AssertionResult SmallAt(int32_t x, int32_t y, int32_t style, const std::string& text) {
    return Check(ReadSmall(x, y, text.size()), x, y, style, text);
}

}  // namespace sheets
