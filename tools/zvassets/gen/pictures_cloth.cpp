// cloth.bmp: the front-end background behind the title, select, configuration and ranking
// screens: deep blue woven cloth with a faint diamond weave, gold piping and light streaks.
#include <cmath>

#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

const Ramp kBlue{0, 8}, kViolet{8, 8}, kCyan{16, 8}, kGold{24, 8};

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("cloth.bmp");
    s.Pal = frontpal::Cloth();
    Picture& p = s.Pic;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const double vignette = 1.0 - std::hypot((x - 160) / 200.0, (y - 120) / 170.0);
            double l = 0.12 + 0.45 * vignette + 0.08 * (Noise(x, y, 24, 3) - 0.5);
            if ((x + y) % 4 == 0 || (x - y + 1000) % 4 == 0) l += 0.05;  // the weave
            // A diamond lattice, faint.
            const bool edge = (x + y) % 24 == 0 || (x - y + 2400) % 24 == 0;
            uint8_t v = DitherRamp(kBlue, l, x, y);
            if (edge) v = DitherRamp(kViolet, l * 0.9 + 0.1, x, y);
            // Two diagonal light streaks.
            const double st = std::fabs((x - 1.6 * y) - 40) < 6 ? 1 : std::fabs((x - 1.6 * y) + 160) < 3 ? 0.6 : 0;
            if (st > 0 && ((x + y) & 1)) v = DitherRamp(kCyan, 0.2 + 0.25 * st * vignette, x, y);
            p.Set(x, y, v);
        }
    for (int x = 0; x < 320; ++x) {  // gold piping along the top and bottom
        for (int k : {6, 233}) {
            p.Set(x, k, kGold.At(0.85));
            p.Set(x, k + 1, kGold.At(0.45));
        }
    }
    FinishSheet(ctx, s);
}

ZV_GENERATOR("cloth.bmp", Generate);

}  // namespace
}  // namespace zvtools
