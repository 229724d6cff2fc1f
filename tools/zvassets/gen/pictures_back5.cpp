// back5.bmp: stage 5, a high-speed band of light. Rows 0-59 hold the bright band (drawn
// opaque across the middle of the screen); rows 60-319 six pairs of strips, the floor-side
// strip in the left half and the ceiling-side strip (its mirror) in the right half, each
// repeating every 160 pixels and keyed on index 0 where it frays toward the band.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_back_common.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

using stagepal::R;
const Ramp kViolet = R(1), kMagenta = R(2), kCyan = R(3), kWhite = R(4), kGold = R(5), kDark = R(6);

void Band(Picture& p) {
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 320; ++x) {
            const double d = std::fabs(y - 29.5) / 30.0;  // 0 in the middle
            const double streak = Noise(x * 0.12, y * 2.5, 3, 51);
            uint8_t v;
            if (d < 0.12) v = kWhite.At(1.0);
            else if (d < 0.35) v = DitherRamp(kCyan, 1.05 - d * 1.2 + (streak - 0.5) * 0.4, x, y);
            else v = DitherRamp(kMagenta, 1.0 - d * 1.0 + (streak - 0.5) * 0.5, x, y);
            if (streak > 0.8 && d > 0.15) v = kWhite.At(0.85);
            p.Set(x, y, v);
        }
}

// Floor-side strip k (1 nearest the band, 6 at the screen edge) of height h at (x0, y0);
// mirrored draws it upside down for the ceiling side.
void Strip(Picture& p, int x0, int y0, int h, int k, bool mirrored) {
    const int ribs = 2 + k / 2;              // structure ribs per 160 pixels
    for (int x = 0; x < 160; ++x) {
        const double fray = 2 + 3 * Noise(x, k * 11, 6, 60 + k);  // ragged edge at the band side
        for (int yy = 0; yy < h; ++yy) {
            if (yy < fray) continue;
            const double t = static_cast<double>(yy) / h;    // 0 at the band side
            const double near = k / 6.0;
            double l = 0.75 - t * 0.5 - near * 0.2;
            uint8_t v = DitherRamp(kViolet, l, x, yy);
            const int rx = (x * ribs) % 160;
            if (rx < 6 + k) v = DitherRamp(kDark, 0.9 - t * 0.6, x, yy);            // ribs
            if (rx == 6 + k) v = kMagenta.At(0.8 - t * 0.4);
            const double streak = Noise(x * 0.08, yy * 1.5, 2, 70 + k);
            if (streak > 0.74) v = (k % 2 ? kCyan : kMagenta).At(0.6 + (streak - 0.74) * 1.5);
            if (yy < fray + 1) v = kCyan.At(0.95);                                 // lit rim
            if (k >= 4 && (x + 3 * k) % 80 < 3 && yy > h / 3 && yy < h / 3 + 3) v = kGold.At(0.9);
            p.Set(x0 + x, y0 + (mirrored ? h - 1 - yy : yy), v);
        }
    }
}

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back5.bmp");
    s.Pal = stagepal::Back(5);
    Band(s.Pic);
    const int top[7] = {60, 80, 110, 150, 200, 260, 320};
    for (int k = 1; k <= 6; ++k) {
        const int h = top[k] - top[k - 1];
        Strip(s.Pic, 0, top[k - 1], h, k, false);
        Strip(s.Pic, 160, top[k - 1], h, k, true);
    }
    DrawGiant(s.Pic, 0, 496, 5);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back5.bmp", Generate);

}  // namespace
}  // namespace zvtools
