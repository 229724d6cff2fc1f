// Draw against a one-pixel-at-a-time reference over many random placements: partly and
// wholly off either surface, every width around the vector sizes, keyed or not, mirrored,
// and copies within one surface.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/graphics.h"

namespace {

struct TRandom {
    uint32_t State;
    int32_t Next(int32_t lo, int32_t hi) {  // lo..hi inclusive
        State = State * 1664525u + 1013904223u;
        return lo + static_cast<int32_t>((State >> 8) % static_cast<uint32_t>(hi - lo + 1));
    }
};

// Pixels from a small set, so the key occurs often and in runs.
void Scribble(TSurface& s, TRandom& r) {
    for (uint8_t& v : s.Pixels) {
        const int32_t k = r.Next(0, 9);
        v = static_cast<uint8_t>(k < 4 ? s.ColorKey : k < 6 ? 1 + k : r.Next(0, 255));
    }
}

// The rule: the source rectangle (edges put in order when reversed) lands at (x, y); what
// falls outside either surface is cut; a reversed rectangle shows what is left of it in
// reverse order along that axis. A copy within one surface reads the source as it was.
void Reference(TSurface& dest, int32_t x, int32_t y, const TSurface& srcIn, TRect r,
               bool transparent) {
    const TSurface src = srcIn;
    const bool mx = r.Right < r.Left, my = r.Bottom < r.Top;
    if (mx) std::swap(r.Left, r.Right);
    if (my) std::swap(r.Top, r.Bottom);
    // The part of the rectangle inside both surfaces, in source coordinates.
    const int32_t l = std::max({r.Left, 0, r.Left - x}), t = std::max({r.Top, 0, r.Top - y}),
                  rt = std::min({r.Right, src.W, r.Left - x + dest.W}),
                  b = std::min({r.Bottom, src.H, r.Top - y + dest.H});
    for (int32_t sy = t; sy < b; ++sy)
        for (int32_t sx = l; sx < rt; ++sx) {
            const uint8_t v = src.Row(my ? b - 1 - (sy - t) : sy)[mx ? rt - 1 - (sx - l) : sx];
            if (!transparent || v != src.ColorKey) dest.Row(y + sy - r.Top)[x + sx - r.Left] = v;
        }
}

TEST(DrawReference, RandomPlacementsMatchThePixelRule) {
    TRandom r{2024};
    for (int round = 0; round < 3000; ++round) {
        TSurface src, dest;
        SetSize(src, r.Next(1, 90), r.Next(1, 40));
        SetColorKey(src, static_cast<uint8_t>(r.Next(0, 3) == 0 ? r.Next(0, 255) : 0));
        Scribble(src, r);
        SetSize(dest, r.Next(1, 120), r.Next(1, 50));
        Scribble(dest, r);
        const bool self = r.Next(0, 9) == 0;
        TSurface& from = self ? dest : src;
        int32_t w = r.Next(0, 70), h = r.Next(0, 20);
        const int32_t sl = r.Next(-10, from.W), st = r.Next(-5, from.H);
        TRect rect = Bounds(sl, st, w, h);
        if (r.Next(0, 5) == 0) std::swap(rect.Left, rect.Right);
        if (r.Next(0, 7) == 0) std::swap(rect.Top, rect.Bottom);
        const int32_t x = r.Next(-70, dest.W + 5), y = r.Next(-20, dest.H + 5);
        const bool transparent = r.Next(0, 3) != 0;

        TSurface want = dest;
        Reference(want, x, y, self ? dest : src, rect, transparent);
        Draw(dest, x, y, from, rect, transparent);
        ASSERT_EQ(dest.Pixels, want.Pixels)
            << "round " << round << ": " << (self ? "within one surface, " : "") << "(" << rect.Left
            << ", " << rect.Top << ")-(" << rect.Right << ", " << rect.Bottom << ") of " << from.W
            << "x" << from.H << " to (" << x << ", " << y << ") on " << dest.W << "x" << dest.H
            << (transparent ? ", keyed" : "");
    }
}

}  // namespace
