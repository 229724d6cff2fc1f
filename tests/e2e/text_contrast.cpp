#include "e2e/text_contrast.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace e2e {

namespace {

// The font's pixels land in the bullet colours, 48..79, on every screen.
constexpr int FontFirst = 48, FontLast = 79;

bool Font(uint8_t v) {
    return v >= FontFirst && v <= FontLast;
}

double Linear(uint8_t c) {
    const double s = c / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

}  // namespace

TRect TextLine::Box() const {
    return Large ? TRect{X, Y, X + 10 * Chars - 1, Y + 9} : TRect{X, Y, X + 6 * Chars, Y + 6};
}

double Luminance(const TBitmap& shot, uint8_t index) {
    const TRGBQuad c = shot.Colors.at(index);
    return 0.2126 * Linear(c.Red) + 0.7152 * Linear(c.Green) + 0.0722 * Linear(c.Blue);
}

double TextLuminance(const TBitmap& shot, const TRect& box) {
    std::map<uint8_t, int> count;
    for (int y = std::max(box.Top, 0); y < std::min(box.Bottom, shot.Height); ++y)
        for (int x = std::max(box.Left, 0); x < std::min(box.Right, shot.Width); ++x) {
            const uint8_t v = shot.At(x, y);
            if (Font(v) && Luminance(shot, v) > 0.3) ++count[v];
        }
    const auto best = std::max_element(count.begin(), count.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    return best == count.end() ? -1 : Luminance(shot, best->first);
}

Legibility Measure(const TBitmap& shot, const TRect& box, double text, int32_t cell) {
    std::vector<double> lum;
    Legibility m;
    m.Low = 1e9;
    // The contrast per character cell, so a line crossing one glyph is not averaged away.
    for (int32_t left = box.Left; left < box.Right; left += cell) {
        std::vector<double> ratio;
        for (int y = std::max(box.Top, 0); y < std::min(box.Bottom, shot.Height); ++y)
            for (int x = std::max(left, 0); x < std::min({left + cell, box.Right, shot.Width});
                 ++x) {
                const uint8_t v = shot.At(x, y);
                if (Font(v)) continue;
                const double l = Luminance(shot, v);
                lum.push_back(l);
                ratio.push_back((std::max(l, text) + 0.05) / (std::min(l, text) + 0.05));
            }
        if (ratio.empty()) continue;
        std::sort(ratio.begin(), ratio.end());
        m.Low = std::min(m.Low, ratio[ratio.size() / 20]);
    }
    m.Background = static_cast<int>(lum.size());
    if (lum.empty()) return m;
    double mean = 0, sq = 0;
    for (double l : lum) mean += l;
    mean /= lum.size();
    for (double l : lum) sq += (l - mean) * (l - mean);
    m.Spread = std::sqrt(sq / lum.size());
    return m;
}

}  // namespace e2e
