#include "pictures_back_calm.h"

#include <algorithm>
#include <cmath>

namespace zvtools {

namespace {

double Linear(uint8_t c) {
    const double s = c / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

// Large text: rows y..y+8 of 10-pixel cells; small text: rows y..y+5 of 6-pixel cells.
ScreenBox Large(int x, int y, int n) {
    return {x - 1, y - 1, x + 10 * n, y + 9};
}
ScreenBox Small(int x, int y, int n) {
    return {x - 1, y - 1, x + 6 * n + 1, y + 6};
}

uint8_t Darker(uint8_t v, const std::vector<Rgb>& pal, double cap, const Ramp& fallback) {
    while (Luminance(pal.at(v)) > cap && v % 8 != 0) --v;
    if (Luminance(pal.at(v)) <= cap) return v;
    for (int i = fallback.N - 1; i >= 0; --i)
        if (Luminance(pal.at(fallback.Step(i))) <= cap) return fallback.Step(i);
    return fallback.Dark();
}

}  // namespace

std::vector<ScreenBox> StageTextBoxes(int stage) {
    std::vector<ScreenBox> b = {Large(0, 0, 8),       // score
                                Small(45, 233, 6),    // counter
                                Small(133, 233, 10),  // frame rate
                                Small(0, 220, 26),    // the longest message line
                                Small(145, 120, 5),   // PAUSE
                                Large(120, 80, 8),    // WARNING!
                                Large(70, 110, 17)};  // MISSION COMPLETED
    // The boss's lines.
    const int widths[3][3] = {{10, 26, 18}, {22, 29, 0}, {26, 30, 0}};
    const int* w = widths[stage == 1 ? 0 : stage == 2 ? 1 : 2];
    for (int i = 0; i < 3; ++i)
        if (w[i]) b.push_back(Small(i == 0 ? 79 : 70, 140 + 10 * i, w[i]));
    return b;
}

std::vector<bool> TextRows(int stage) {
    std::vector<bool> rows(240, false);
    for (const ScreenBox& b : StageTextBoxes(stage))
        for (int y = std::max(b.T, 0); y <= std::min(b.B, 239); ++y) rows[y] = true;
    return rows;
}

std::vector<bool> StripRowsUnderText(int stage, int base, int div, int h) {
    const std::vector<bool> screen = TextRows(stage);
    std::vector<bool> rows(h, false);
    for (int y = 8; y <= 232; ++y)
        for (int k = 0; k < h; ++k) {
            const int s = base - y / div + k;
            if (s >= 0 && s < 240 && screen[s]) rows[k] = true;
        }
    return rows;
}

double Luminance(const Rgb& c) {
    return 0.2126 * Linear(c.R) + 0.7152 * Linear(c.G) + 0.0722 * Linear(c.B);
}

void CalmRows(Picture& p, const std::vector<Rgb>& pal, int x0, int y0, int w,
              const std::vector<bool>& rows, double cap, const Ramp& fallback, int keep) {
    const int h = static_cast<int>(rows.size());
    for (int k = 0; k < h; ++k) {
        const bool near = (k > 0 && rows[k - 1]) || (k + 1 < h && rows[k + 1]);
        if (!rows[k] && !near) continue;
        const double c = rows[k] ? cap : 2 * cap;
        for (int x = x0; x < x0 + w; ++x) {
            const uint8_t v = p.At(x, y0 + k);
            if (v != keep) p.Set(x, y0 + k, Darker(v, pal, c, fallback));
        }
    }
}

}  // namespace zvtools
