#include "e2e/frontend_pictures.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

// Palette offsets of the front-end sheets.
constexpr int LogoOffset = 96, SelectOffset = 144, ClothOffset = 208, PlayerOffset = 0;

uint8_t Shifted(uint8_t index, int offset) {
    return static_cast<uint8_t>((index + offset) & 0xff);
}

// Share of the source rectangle's pixels (keyed ones skipped when keyed) found on the
// screenshot at (x, y).
double Share(const TBitmap& shot, int x, int y, const TBitmap& src, TRect r, int offset,
             bool keyed) {
    const uint8_t key = src.At(0, 0);
    int total = 0, same = 0;
    for (int sy = r.Top; sy < r.Bottom; ++sy)
        for (int sx = r.Left; sx < r.Right; ++sx) {
            const uint8_t v = src.At(sx, sy);
            if (keyed && v == key) continue;
            ++total;
            same += shot.At(x + sx - r.Left, y + sy - r.Top) == Shifted(v, offset);
        }
    EXPECT_GT(total, 50) << "too few pixels to compare";
    return total ? static_cast<double>(same) / total : 0.0;
}

}  // namespace

Pictures::Pictures(const std::string& dataDir)
    : logo_(LoadBitmapFile(dataDir + "/zvlogo.bmp")),
      select_(LoadBitmapFile(dataDir + "/select.bmp")),
      cloth_(LoadBitmapFile(dataDir + "/cloth.bmp")),
      player_(LoadBitmapFile(dataDir + "/player.bmp")) {}

double Pictures::LogoShare(const Shot& s) const {
    return Share(s.Bmp, 20, 20, logo_, TRect{0, 0, 280, 135}, LogoOffset, true);
}

double Pictures::BackgroundShare(const Shot& s, const TRect& r) const {
    return Share(s.Bmp, r.Left, r.Top, cloth_, r, ClothOffset, false);
}

double Pictures::PortraitShare(const Shot& s, int c) const {
    const int px = (c % 2) * 128, py = (c / 2) * 192;
    return Share(s.Bmp, 0, 24, select_, TRect{px, py, px + 120, py + 72}, SelectOffset, false);
}

double Pictures::PlayerShare(const Shot& s, int c, int x, int y, int rows) const {
    return Share(s.Bmp, x, y, player_, TRect{0, 40 * c, 40, 40 * c + rows}, PlayerOffset, true);
}

}  // namespace e2e
