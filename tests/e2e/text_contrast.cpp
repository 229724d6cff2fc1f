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

std::vector<StageText> StageTexts(int32_t stage) {
    auto text = [](const std::string& s, int32_t x, int32_t y, bool large,
                   std::vector<int32_t> styles) {
        return StageText{{s, x, y, static_cast<int32_t>(s.size()), large}, std::move(styles)};
    };
    std::vector<StageText> t = {text("00000000", 0, 0, true, {0}),
                                text("f50/50", 45, 233, false, {0}),
                                text("59.94 FPS", 133, 233, false, {0}),
                                text("INTERVAL IS 1000 MILI-SEC", 0, 220, false, {0}),
                                text("PAUSE", 145, 120, false, {1}),
                                text("WARNING!", 120, 80, true, {1, 2, 3, 4}),
                                text("MISSION COMPLETED", 70, 110, true, {0})};
    if (stage == 1)
        t.insert(t.end(), {text("HEAVY TANK", 79, 140, false, {0}),
                           text("\"MERCILESS DEVASTATOR X9\"", 73, 150, false, {1}),
                           text("IS WAITING THERE.", 73, 160, false, {0})});
    if (stage == 2)
        t.insert(t.end(), {text("R.V.L.T. CORAL-LEOPARD", 79, 140, false, {0}),
                           text("\"OLMARD\"", 73, 150, false, {1}),
                           text("IS APPROACHING FAST.", 121, 150, false, {0})});
    if (stage == 5)
        t.insert(t.end(), {text("EXPERIMENTAL FIGHTER PLANE", 79, 140, false, {0}),
                           text("\"SAI-FEN\"", 70, 150, false, {1}),
                           text("IS APPROACHING FAST.", 130, 150, false, {0})});
    return t;
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
    // The luminance of each colour, kept while the colour table stays the same.
    thread_local std::vector<TRGBQuad> colours;
    thread_local double table[256];
    if (shot.Colors.size() != colours.size() ||
        !std::equal(colours.begin(), colours.end(), shot.Colors.begin(), [](auto& a, auto& b) {
            return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
        })) {
        colours = shot.Colors;
        for (int i = 0; i < 256; ++i)
            table[i] = i < static_cast<int>(colours.size()) ? Luminance(shot, i) : 0;
    }
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
                const double l = table[v];
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
