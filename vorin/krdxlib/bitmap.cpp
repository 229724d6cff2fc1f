#include "krdxlib/bitmap.h"

#include <string>

namespace {

// The converters index the bitmap directly, so a hand-built bitmap must be consistent.
void CheckIndices(const TBitmap& bitmap) {
    if (bitmap.Width < 0 || bitmap.Height < 0 ||
        bitmap.Indices.size() != static_cast<size_t>(bitmap.Width) * bitmap.Height)
        throw EBitmapError("bitmap of " + std::to_string(bitmap.Width) + "x" +
                           std::to_string(bitmap.Height) + " holds " +
                           std::to_string(bitmap.Indices.size()) + " indices");
}

}  // namespace

void CopyBitmapPalette(const TBitmap& bitmap, int32_t first, int32_t last, int32_t target,
                       TPalette& palette) {
    // Entries past the bitmap's own table are copied as black rather than read out of bounds.
    for (int64_t k = 0; k <= int64_t{last} - first; ++k) {
        const int64_t src = first + k;
        TRGBQuad c{};
        if (src >= 0 && src < static_cast<int64_t>(bitmap.Colors.size()))
            c = bitmap.Colors[static_cast<size_t>(src)];
        palette[static_cast<size_t>((target + k) & 0xff)] = c;
    }
}

void BitmapToSurface(const TBitmap& bitmap, TSurface& surface, int32_t offset) {
    CheckIndices(bitmap);
    SetSize(surface, bitmap.Width, bitmap.Height);
    TSurfaceDesc desc;
    if (!Lock(surface, nullptr, &desc)) return;
    for (int32_t y = 0; y < bitmap.Height; ++y) {
        uint8_t* row = desc.Pixels + static_cast<size_t>(y) * desc.Pitch;
        for (int32_t x = 0; x < bitmap.Width; ++x)
            row[x] = static_cast<uint8_t>(bitmap.At(x, y) + offset);
    }
    Unlock(surface);
}

void BitmapToSurfaceRowMirror(const TBitmap& bitmap, TSurface& surface, int32_t offset) {
    CheckIndices(bitmap);
    SetSize(surface, bitmap.Width, bitmap.Height * 2);
    TSurfaceDesc desc;
    if (!Lock(surface, nullptr, &desc)) return;
    const int32_t half = bitmap.Height;
    const int32_t w = bitmap.Width;
    for (int32_t y = 0; y < half; ++y) {
        uint8_t* row = desc.Pixels + static_cast<size_t>(y) * desc.Pitch;
        uint8_t* mirror = desc.Pixels + static_cast<size_t>(y + half) * desc.Pitch;
        for (int32_t x = 0; x < w; ++x) {
            const auto v = static_cast<uint8_t>(bitmap.At(x, y) + offset);
            row[x] = v;
            mirror[w - 1 - x] = v;
        }
    }
    Unlock(surface);
}
