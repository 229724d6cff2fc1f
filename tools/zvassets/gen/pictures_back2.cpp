// back2.bmp: stage 2, a sky over the sea. Rows 0-149 hold the sky (drawn opaque); rows
// 150-419 the six parallax strips of the sea, each repeating every 120 pixels, keyed on
// index 0 above their waterline; rows 496-665 the drifting airship (kind 111).
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_back_common.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using stagepal::R;
const Ramp kSky = R(1), kHaze = R(2), kCloud = R(3), kSea = R(4), kIsle = R(5), kSun = R(7);
constexpr double kPi = 3.141592653589793;

void Sky(Picture& p) {
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 320; ++x) {
            const double t = y / 149.0;
            uint8_t v = t < 0.55 ? DitherRamp(kSky, 0.15 + t * 1.2, x, y)
                                 : DitherRamp(kHaze, (t - 0.55) / 0.45 * 0.95, x, y);
            const double sun = std::hypot((x - 236) * 0.8, y - 128);
            if (sun < 34) v = DitherRamp(kSun, 1.0 - sun / 34.0 * 0.7 + 0.1, x, y);
            // High streaks of cloud.
            const double c = Noise(x * 0.35, y * 3.0, 9, 21) + Noise(x, y * 2, 4, 22) * 0.3;
            if (y > 20 && y < 125 && c > 0.78) v = DitherRamp(kCloud, 0.45 + (c - 0.78) * 2.5 - t * 0.2, x, y);
            p.Set(x, y, v);
        }
}

// One sea strip of 120 by h at row y0: everything above the waterline (which carries waves
// of the given height) is key; below it the sea darkens toward the viewer.
void SeaStrip(Picture& p, int y0, int h, int layer) {
    const double wl = layer == 1 ? 11 : h * 0.4;           // waterline
    const double amp = 1.0 + layer * 1.1;                  // wave height
    const int waves = 2 + (layer % 3);                     // crests per 120 pixels
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
            double l = 0.75 - layer * 0.07 - depth * 0.5 + 0.12 * std::sin(ph * 2 + y * 0.7);
            uint8_t v = DitherRamp(kSea, l, x, y);
            if (layer == 1 && y < wl - 0.5) v = DitherRamp(kIsle, 0.35 + (wl - y) / 20.0, x, y);
            if (y < top + 1.5 && layer > 1) v = kCloud.At(0.9 - 0.04 * layer);  // foam on crests
            else if (layer > 2 && Hash01(x, y + y0, layer) > 0.985) v = kCloud.At(0.8);
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
    DrawGiant(s.Pic, 0, 496, 2);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back2.bmp", Generate);

}  // namespace
}  // namespace zvtools
