#pragma once
// How well a text reads on a screenshot: the background pixels in the text's box (every
// pixel that is not the font's) held against the text's own fill colour.
#include <cstdint>
#include <string>
#include <vector>

#include "krdxlib/bmpfile.h"

namespace e2e {

// A text reads when each character cell's background keeps this contrast to the text's fill
// for all but 5% of its pixels, and the box's luminance varies by no more than this.
constexpr double MinContrast = 3.0;
constexpr double MaxSpread = 0.05;

// A text the game places: its position, length and font.
struct TextLine {
    std::string Name;
    int32_t X = 0, Y = 0;
    int32_t Chars = 0;
    bool Large = true;
    TRect Box() const;  // the cells' drawn rows: 9 for the large font, 6 for the small
};

// A text a stage places, as it is drawn: Name holds the text (the message line as long as the
// longest message); the warning takes styles 1 to 4 in turn.
struct StageText {
    TextLine Line;
    std::vector<int32_t> Styles;
};
// The score, the counter, the frame rate, the message line, "PAUSE", "WARNING!", "MISSION
// COMPLETED" and the stage's boss lines.
std::vector<StageText> StageTexts(int32_t stage);

struct Legibility {
    int Background = 0;  // background pixels measured
    double Low = 0;      // 5th percentile of the contrast ratio text : background
    double Spread = 0;   // standard deviation of the background's luminance (0..1)
};

// Relative luminance (0..1) of a colour of the screenshot's table.
double Luminance(const TBitmap& shot, uint8_t index);
// The text's fill: the most frequent font colour in the box among the light ones.
double TextLuminance(const TBitmap& shot, const TRect& box);
// `cell` is the font's pitch: 10 for the large font, 6 for the small.
Legibility Measure(const TBitmap& shot, const TRect& box, double textLuminance, int32_t cell);

}  // namespace e2e
