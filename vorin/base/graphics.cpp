#include "base/graphics.h"

#include <algorithm>
#include <cstring>

int32_t Width(const TSurface& s) {
    return s.Empty() ? 0 : s.W;
}
int32_t Height(const TSurface& s) {
    return s.Empty() ? 0 : s.H;
}

namespace {

// Clips the destination and source rectangles against both surfaces in the layer's order:
// destination left/top, source left/top, destination right/bottom, source right/bottom.
// Returns false when nothing is left to copy.
bool ClipRects(const TSurface& dest, const TSurface& src, TRect& d, TRect& s) {
    if (d.Left < 0) {
        s.Left += -d.Left;
        d.Left = 0;
    }
    if (d.Top < 0) {
        s.Top += -d.Top;
        d.Top = 0;
    }
    if (s.Left < 0) {
        d.Left += -s.Left;
        s.Left = 0;
    }
    if (s.Top < 0) {
        d.Top += -s.Top;
        s.Top = 0;
    }
    if (d.Right > dest.W) {
        s.Right -= d.Right - dest.W;
        d.Right = dest.W;
    }
    if (d.Bottom > dest.H) {
        s.Bottom -= d.Bottom - dest.H;
        d.Bottom = dest.H;
    }
    if (s.Right > src.W) {
        d.Right -= s.Right - src.W;
        s.Right = src.W;
    }
    if (s.Bottom > src.H) {
        d.Bottom -= s.Bottom - src.H;
        s.Bottom = src.H;
    }
    return d.Right > d.Left && d.Bottom > d.Top && s.Right > s.Left && s.Bottom > s.Top;
}

// Sixteen pixels as one vector (GCC and Clang vector extensions; SSE2 or NEON code).
using TBytes16 = uint8_t __attribute__((vector_size(16)));

// One row of a keyed copy: a byte of the source replaces the destination's unless it
// equals the key. Sixteen pixels at a time, since the scene draws hundreds of sprites and
// tiles a frame through here.
void KeyedRow(uint8_t* out, const uint8_t* in, int32_t w, uint8_t key) {
    const TBytes16 keys = TBytes16{} + key;  // the key in every lane
    int32_t col = 0;
    for (; col + 16 <= w; col += 16) {
        TBytes16 v, o;
        std::memcpy(&v, in + col, 16);
        std::memcpy(&o, out + col, 16);
        const TBytes16 keep = reinterpret_cast<TBytes16>(v == keys);  // 0xff where key
        o = (v & ~keep) | (o & keep);
        std::memcpy(out + col, &o, 16);
    }
    // Eight at a time in a plain 64-bit word: bytes equal to the key become zero in x, and
    // a byte's high bit, spread over the byte, marks where x is not zero.
    constexpr uint64_t Low7 = 0x7f7f7f7f7f7f7f7fULL, High = 0x8080808080808080ULL;
    const uint64_t keys8 = 0x0101010101010101ULL * key;
    for (; col + 8 <= w; col += 8) {
        uint64_t v, o;
        std::memcpy(&v, in + col, 8);
        std::memcpy(&o, out + col, 8);
        const uint64_t x = v ^ keys8;
        const uint64_t take = (((((x & Low7) + Low7) | x) & High) >> 7) * 0xff;
        o = (v & take) | (o & ~take);
        std::memcpy(out + col, &o, 8);
    }
    for (; col < w; ++col)
        if (in[col] != key) out[col] = in[col];
}

void Copy(TSurface& dest, const TRect& d, const TSurface& src, const TRect& s, bool transparent,
          bool mirrorX, bool mirrorY) {
    const int32_t w = std::min(d.Width(), s.Width());
    const int32_t h = std::min(d.Height(), s.Height());
    const uint8_t key = src.ColorKey;
    for (int32_t row = 0; row < h; ++row) {
        const int32_t sy = mirrorY ? s.Bottom - 1 - row : s.Top + row;
        const uint8_t* in = src.Row(sy);
        uint8_t* out = dest.Row(d.Top + row) + d.Left;
        if (!mirrorX && !transparent) {
            std::memcpy(out, in + s.Left, static_cast<size_t>(w));
            continue;
        }
        if (!mirrorX) {
            KeyedRow(out, in + s.Left, w, key);
            continue;
        }
        for (int32_t col = 0; col < w; ++col) {
            const uint8_t v = in[mirrorX ? s.Right - 1 - col : s.Left + col];
            if (!transparent || v != key) out[col] = v;
        }
    }
}

}  // namespace

void Draw(TSurface& dest, int32_t x, int32_t y, const TSurface& src, TRect srcRect,
          bool transparent) {
    if (src.Empty() || dest.Empty() || src.Locked || dest.Locked) return;
    if (x > dest.W || y > dest.H) return;

    const bool mirrorX = srcRect.Right < srcRect.Left;
    const bool mirrorY = srcRect.Bottom < srcRect.Top;
    if (!mirrorX && !mirrorY) {
        TRect d = Bounds(x, y, srcRect.Width(), srcRect.Height());
        TRect s = srcRect;
        if (!ClipRects(dest, src, d, s)) return;
        Copy(dest, d, src, s, transparent, false, false);
        return;
    }

    // Mirrored copy: order the edges and clip as usual. The layer then reflects the clipped
    // rectangle inside the source surface, and the mirror effect spins the whole surface
    // about its axis; the two cancel, so the copy shows the clipped rectangle's own pixels
    // in reverse order.
    TRect s = srcRect;
    if (mirrorX) std::swap(s.Left, s.Right);
    if (mirrorY) std::swap(s.Top, s.Bottom);
    if (x + s.Width() <= 0 || y + s.Height() <= 0) return;
    TRect d = Bounds(x, y, s.Width(), s.Height());
    if (!ClipRects(dest, src, d, s)) return;
    Copy(dest, d, src, s, transparent, mirrorX, mirrorY);
}

void Fill(TSurface& s, uint8_t index) {
    if (s.Empty() || s.Locked) return;
    std::fill(s.Pixels.begin(), s.Pixels.end(), index);
}

void FillRect(TSurface& s, TRect r, uint8_t index) {
    if (s.Empty() || s.Locked) return;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, s.W);
    r.Bottom = std::min(r.Bottom, s.H);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memset(s.Row(y) + r.Left, index, static_cast<size_t>(r.Width()));
}

uint8_t PixelAt(TSurface& s, int32_t x, int32_t y) {
    if (s.Empty() || x < 0 || y < 0 || x >= s.W || y >= s.H) return 0;
    TSurfaceDesc desc;
    if (!Lock(s, nullptr, &desc)) return 0;
    const uint8_t v = desc.Pixels[static_cast<size_t>(y) * desc.Pitch + x];
    Unlock(s);
    return v;
}

bool Lock(TSurface& s, const TRect* r, TSurfaceDesc* out) {
    if (s.Empty() || s.Locked) return false;
    TRect area{0, 0, s.W, s.H};
    if (r) {
        area = {std::max(r->Left, 0), std::max(r->Top, 0), std::min(r->Right, s.W),
                std::min(r->Bottom, s.H)};
        if (area.Right <= area.Left || area.Bottom <= area.Top) return false;
    }
    s.Locked = true;
    if (out) {
        out->Pixels = s.Row(area.Top) + area.Left;
        out->Pitch = s.W;
        out->Width = area.Width();
        out->Height = area.Height();
    }
    return true;
}

void Unlock(TSurface& s) {
    s.Locked = false;
}

void SetSize(TSurface& s, int32_t width, int32_t height) {
    s.Pixels.clear();
    s.Pixels.shrink_to_fit();
    s.W = s.H = 0;
    s.Locked = false;
    if (width <= 0 || height <= 0) return;
    s.W = width;
    s.H = height;
    s.Pixels.assign(static_cast<size_t>(width) * height, 0);
    s.ColorKey = 0;
}

void SetColorKey(TSurface& s, uint8_t index) {
    if (s.Empty()) return;
    s.ColorKey = index;
}
