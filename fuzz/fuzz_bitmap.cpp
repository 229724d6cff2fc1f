// Any bytes: the bitmap reader must refuse or accept without reading out of bounds, and what
// it accepts must be consistent and survive conversion and a write and re-read unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "krdxlib/bitmap.h"
#include "krdxlib/bmpfile.h"
#include "krdxlib/bmpwrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmap bmp;
    std::string error;
    if (!ParseBitmap(data, size, bmp, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (bmp.Width <= 0 || bmp.Height <= 0 || (bmp.BitCount != 4 && bmp.BitCount != 8) ||
        bmp.Colors.empty() || bmp.Colors.size() > 256 ||
        bmp.Indices.size() != static_cast<size_t>(bmp.Width) * bmp.Height)
        __builtin_trap();

    // Big pictures only cost time from here on; the reader has already done its part.
    if (bmp.Indices.size() > (size_t{1} << 16)) return 0;

    TSurface surface;
    BitmapToSurfaceRowMirror(bmp, surface, 48);
    if (surface.H != bmp.Height * 2 || surface.Row(bmp.Height)[bmp.Width - 1] !=
                                           static_cast<uint8_t>(bmp.At(0, 0) + 48))
        __builtin_trap();
    TPalette palette{};
    CopyBitmapPalette(bmp, 0, 63, 200, palette);

    // Re-encode what the writer can hold (table and indices within the bit depth; the core
    // header's reserved bytes read as 0 and compare equal anyway).
    const size_t maxColors = size_t{1} << bmp.BitCount;
    if (bmp.Colors.size() > maxColors) return 0;
    for (uint8_t i : bmp.Indices)
        if (i >= maxColors) return 0;
    const std::vector<uint8_t> bytes = EncodeBitmap(bmp);
    TBitmap again;
    if (!ParseBitmap(bytes.data(), bytes.size(), again, error)) __builtin_trap();
    if (again.Width != bmp.Width || again.Height != bmp.Height ||
        again.BitCount != bmp.BitCount || again.Colors != bmp.Colors ||
        again.Indices != bmp.Indices)
        __builtin_trap();
    return 0;
}
