#include "base/graphics.h"

#include <algorithm>
#include <cstring>

#include "base/blit.h"

int32_t Width(const TSurface& s) {
    return s.Empty() ? 0 : s.W;
}
int32_t Height(const TSurface& s) {
    return s.Empty() ? 0 : s.H;
}

namespace {

// A plain copy of a w x h block in whole sixteen-pixel vectors, the last one overlapping the
// one before (narrow rows go to memcpy).
void OpaqueBlock(uint8_t* out, ptrdiff_t outPitch, const uint8_t* in, ptrdiff_t inPitch, int32_t w,
                 int32_t h) {
    if (w < 16) {
        for (; h > 0; --h, out += outPitch, in += inPitch)
            std::memcpy(out, in, static_cast<size_t>(w));
        return;
    }
    const int32_t last = w - 16;
    for (; h > 0; --h, out += outPitch, in += inPitch) {
        for (int32_t col = 0; col < last; col += 16) Store16(out + col, Load16(in + col));
        Store16(out + last, Load16(in + last));
    }
}

// The edges of a copy in plain integers (a rectangle passed whole is stored and read back
// as one vector, which stalls on every call).
struct TEdges {
    int32_t DL, DT, DR, DB;  // destination
    int32_t SL, ST, SR, SB;  // source
};

// A mirrored copy (a few a frame at most), one pixel at a time.
void MirroredBlock(TSurface& dest, const TEdges& e, const TSurface& src, int32_t w, int32_t h,
                   bool transparent, bool mirrorX, bool mirrorY) {
    const uint8_t key = src.ColorKey;
    for (int32_t row = 0; row < h; ++row) {
        const uint8_t* in = src.Row(mirrorY ? e.SB - 1 - row : e.ST + row);
        uint8_t* out = dest.Row(e.DT + row) + e.DL;
        for (int32_t col = 0; col < w; ++col) {
            const uint8_t v = in[mirrorX ? e.SR - 1 - col : e.SL + col];
            if (!transparent || v != key) out[col] = v;
        }
    }
}

// Clips the destination and source rectangles against both surfaces in the layer's order:
// destination left/top, source left/top, destination right/bottom, source right/bottom.
// Returns false when nothing is left to copy.
inline bool Clip(const TSurface& dest, const TSurface& src, TEdges& e) {
    if (e.DL < 0) e.SL -= e.DL, e.DL = 0;
    if (e.DT < 0) e.ST -= e.DT, e.DT = 0;
    if (e.SL < 0) e.DL -= e.SL, e.SL = 0;
    if (e.ST < 0) e.DT -= e.ST, e.ST = 0;
    if (e.DR > dest.W) e.SR -= e.DR - dest.W, e.DR = dest.W;
    if (e.DB > dest.H) e.SB -= e.DB - dest.H, e.DB = dest.H;
    if (e.SR > src.W) e.DR -= e.SR - src.W, e.SR = src.W;
    if (e.SB > src.H) e.DB -= e.SB - src.H, e.SB = src.H;
    return e.DR > e.DL && e.DB > e.DT && e.SR > e.SL && e.SB > e.ST;
}

void Copy(TSurface& dest, const TSurface& src, const TEdges& e, bool transparent, bool mirrorX,
          bool mirrorY) {
    const int32_t w = std::min(e.DR - e.DL, e.SR - e.SL);
    const int32_t h = std::min(e.DB - e.DT, e.SB - e.ST);
    if (&dest == &src) {
        // Within one surface the copy reads the source rectangle as it was before.
        TSurface part;
        SetSize(part, e.SR - e.SL, e.SB - e.ST);
        OpaqueBlock(part.Pixels.data(), part.W, src.Row(e.ST) + e.SL, src.W, part.W, part.H);
        part.ColorKey = src.ColorKey;
        Copy(dest, part, {e.DL, e.DT, e.DR, e.DB, 0, 0, part.W, part.H}, transparent, mirrorX,
             mirrorY);
        return;
    }
    if (mirrorX || mirrorY) {
        MirroredBlock(dest, e, src, w, h, transparent, mirrorX, mirrorY);
        return;
    }
    uint8_t* out = dest.Row(e.DT) + e.DL;
    const uint8_t* in = src.Row(e.ST) + e.SL;
    if (transparent)
        KeyedBlock(out, dest.W, in, src.W, w, h, src.ColorKey);
    else
        OpaqueBlock(out, dest.W, in, src.W, w, h);
}

}  // namespace

void Draw(TSurface& dest, int32_t x, int32_t y, const TSurface& src, TRect srcRect,
          bool transparent) {
    if (src.Empty() || dest.Empty() || src.Locked || dest.Locked) return;
    if (x > dest.W || y > dest.H) return;

    int32_t left = srcRect.Left, top = srcRect.Top, right = srcRect.Right, bottom = srcRect.Bottom;
    const bool mirrorX = right < left;
    const bool mirrorY = bottom < top;
    // Mirrored copy: order the edges and clip as usual. The layer then reflects the clipped
    // rectangle inside the source surface, and the mirror effect spins the whole surface
    // about its axis; the two cancel, so the copy shows the clipped rectangle's own pixels
    // in reverse order.
    if (mirrorX) std::swap(left, right);
    if (mirrorY) std::swap(top, bottom);
    const int32_t w = right - left, h = bottom - top;
    if ((mirrorX || mirrorY) && (x + w <= 0 || y + h <= 0)) return;
    TEdges e{x, y, x + w, y + h, left, top, right, bottom};
    if (!Clip(dest, src, e)) return;
    Copy(dest, src, e, transparent, mirrorX, mirrorY);
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
