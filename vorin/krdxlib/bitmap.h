#pragma once
// Moving bitmaps into the one shared palette: colour ranges into the game palette, pixels
// shifted by the range's offset into surfaces.
#include <cstdint>

#include "base/graphics.h"
#include "krdxlib/bmpfile.h"

void CopyBitmapPalette(const TBitmap& bitmap, int32_t first, int32_t last, int32_t target,
                       TPalette& palette);
void BitmapToSurface(const TBitmap& bitmap, TSurface& surface, int32_t offset);
// Twice the bitmap's height; the lower half holds the rows mirrored left to right.
void BitmapToSurfaceRowMirror(const TBitmap& bitmap, TSurface& surface, int32_t offset);
