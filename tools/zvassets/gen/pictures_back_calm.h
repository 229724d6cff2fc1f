#pragma once
// Where a stage places its texts, and the darkening that keeps its background calm under them.
// The texts' places are the game's own (the score, the counter and the frame rate, the message
// line, "PAUSE", the warning with the boss's lines, "MISSION COMPLETED"); the backgrounds
// scroll and follow the ship's height, so a strip is calm in every row that can come under a
// text, across its whole width.
#include <vector>

#include "common/draw.h"
#include "common/picture.h"

namespace zvtools {

// A text's box on the screen with a pixel of margin; inclusive.
struct ScreenBox {
    int L, T, R, B;
};
std::vector<ScreenBox> StageTextBoxes(int stage);

// Screen rows that lie under a text of the stage, anywhere across the screen.
std::vector<bool> TextRows(int stage);

// The rows of a strip h rows high, drawn at screen row base - y / div for every ship height y
// (8 to 232), that can lie under a text.
std::vector<bool> StripRowsUnderText(int stage, int base, int div, int h);

// Luminance 0..1 of a colour, as the eye weighs it.
double Luminance(const Rgb& c);

// Darkens the pixels of rows y0.. (rows[k] set) of the w columns from x0 until each colour's
// luminance is at most `cap`: down its own ramp of eight shades, then to the lightest shade of
// `fallback` under the cap. The row next to a calm run takes twice the cap, so the calm strip
// fades in like a shadow. Pixels of colour `keep` (the key) stay.
void CalmRows(Picture& p, const std::vector<Rgb>& pal, int x0, int y0, int w,
              const std::vector<bool>& rows, double cap, const Ramp& fallback, int keep = 0);

// The cap the stage backgrounds keep under texts: the dimmest text fill (grey, about 0.4)
// still stands at 3:1, and a box cannot vary by more than half of it.
constexpr double kTextCalmCap = 0.08;

}  // namespace zvtools
