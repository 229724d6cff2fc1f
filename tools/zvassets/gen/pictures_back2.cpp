// back2.bmp: stage 2, a dusk sky over the sea. Rows 0-149 hold the sky (drawn opaque); rows
// 150-419 the six parallax strips of the sea, each repeating every 120 pixels, keyed on
// index 0 above their waterline; rows 496-665 the drifting airship (kind 111).
// The stage's white texts lie over the sky and the far sea at fixed places ("WARNING!" and
// the boss's lines, "MISSION COMPLETED", "PAUSE"): the sky stays a deep blue with no cloud
// there, the sun sets right of them, and the far strips carry no foam. The message line and
// the status row lie over the near sea, which is deep and dark in their rows.
#include <algorithm>
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_back_calm.h"
#include "pictures_back_common.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using stagepal::R;
const Ramp kSky = R(1), kCloud = R(3), kSea = R(4), kIsle = R(5), kSun = R(7);
constexpr double kPi = 3.141592653589793;

// Where the texts lie over the sky, with a margin: "WARNING!" and "MISSION COMPLETED" with
// "PAUSE" under it.
struct Clear {
    int L, T, R, B;
    // 0 inside, rising to 1 over `soft` pixels outside.
    double Out(int x, int y, double soft) const {
        const double dx = std::max({L - x, x - R, 0}), dy = std::max({T - y, y - B, 0});
        return std::min(1.0, std::hypot(dx, dy) / soft);
    }
};
constexpr Clear kClear[2] = {{116, 77, 203, 91}, {66, 107, 243, 128}};
constexpr int kGlowTop = 126;  // the horizon's glow starts below the texts

void Sky(Picture& p) {
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 320; ++x) {
            // Night blue overhead (the sea's darkest blues: the warning's dimmest colour must
            // still stand out), a little lighter toward the horizon, then a low glow that
            // sinks behind the islands before the boss's lines (row 140).
            uint8_t v = DitherRamp(kSea, 0.04 + 0.2 * std::min(1.0, y / 125.0), x, y);
            if (y >= kGlowTop)
                v = DitherRamp(kSun, 0.1 + 0.3 * std::max(0.0, 1 - std::fabs(y - 133) / 9.0), x, y);
            const double sun = std::hypot((x - 292) * 0.8, y - 134);
            if (sun < 30) v = DitherRamp(kSun, 1.0 - sun / 30.0 * 0.7 + 0.1, x, y);
            // High streaks of cloud in the last light, thinned out round the texts.
            double c = Noise(x * 0.35, y * 3.0, 9, 21) + Noise(x, y * 2, 4, 22) * 0.3;
            for (const Clear& k : kClear) c -= (1 - k.Out(x, y, 10)) * 0.6;
            if (y > 20 && y < 122 && c > 0.78)
                v = DitherRamp(kSky, 0.05 + (c - 0.78) * 2.5 - y / 149.0 * 0.2, x, y);
            p.Set(x, y, v);
        }
}

// One sea strip of 120 by h at row y0: everything above the waterline (which carries waves
// of the given height) is key; below it the sea darkens toward the viewer.
void SeaStrip(Picture& p, int y0, int h, int layer) {
    const double wl = layer == 1 ? 11 : h * 0.4;  // waterline
    const double amp = 1.0 + layer * 1.1;         // wave height
    const int waves = 2 + (layer % 3);            // crests per 120 pixels
    for (int x = 0; x < 120; ++x) {
        const double ph = x * 2 * kPi / 120.0 * waves;
        double top = wl - amp * (0.5 + 0.5 * std::sin(ph)) - amp * 0.3 * std::sin(ph * 3 + layer);
        if (layer == 1) {  // far islands on the horizon
            const double isle = std::max(0.0, std::sin(x * 2 * kPi / 120.0) * 9 - 2) +
                                std::max(0.0, std::sin(x * 2 * kPi / 60.0 + 1.3) * 4 - 1.5);
            top = std::min(top, wl - isle);
        }
        for (int y = 0; y < h; ++y) {
            if (y < top) continue;
            const double depth = (y - wl) / h;
            // The far strips (1-3) lie under the boss's lines: dim, calm water without foam.
            const bool far = layer <= 3;
            double l = far ? 0.42 - layer * 0.04 - depth * 0.3 + 0.03 * std::sin(ph * 2 + y * 0.7)
                           : 0.75 - layer * 0.07 - depth * 0.5 + 0.12 * std::sin(ph * 2 + y * 0.7);
            uint8_t v = DitherRamp(kSea, l, x, y);
            if (layer == 1 && y < wl - 0.5) v = DitherRamp(kIsle, 0.15 + (wl - y) / 40.0, x, y);
            if (y < top + 1.5 && !far)
                v = kCloud.At(0.9 - 0.04 * layer);  // foam on crests
            else if (!far && Hash01(x, y + y0, layer) > 0.985)
                v = kCloud.At(0.8);
            p.Set(x, y0 + y, v);
        }
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back2.bmp");
    s.Pal = stagepal::Back(2);
    Sky(s.Pic);
    const int top[7] = {150, 170, 200, 240, 290, 350, 420};
    for (int l = 0; l < 6; ++l) SeaStrip(s.Pic, top[l], top[l + 1] - top[l], l + 1);
    // Each strip stays dark in the rows that can come under a text (the boss's lines over the
    // far sea, the message line and the status row over the near sea) at every ship height:
    // the base rows and divisors of the game's parallax.
    const int base[6] = {132, 132, 144, 158, 180, 210}, div[6] = {1000, 50, 20, 20, 20, 10};
    for (int l = 0; l < 6; ++l) {
        const int h = top[l + 1] - top[l];
        CalmRows(s.Pic, s.Pal, 0, top[l], 120, StripRowsUnderText(2, base[l], div[l], h),
                 kTextCalmCap, kSea);
    }
    DrawGiant(s.Pic, 0, 496, 2);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back2.bmp", Generate);

}  // namespace
}  // namespace zvtools
