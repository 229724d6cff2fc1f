#pragma once
// Writing palettised Windows bitmaps: uncompressed, bottom-up, 4 or 8 bits per pixel, with an
// information header. Used by the asset generators, the screenshot and the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "krdxlib/bmpfile.h"

// The file image of the bitmap (BitCount 4 or 8). Throws std::invalid_argument when the size,
// the colour table (1 to 2^BitCount entries) or the indices (one per pixel, each below
// 2^BitCount) do not fit together.
std::vector<uint8_t> EncodeBitmap(const TBitmap& bitmap);
// Writes the bitmap, replacing the file atomically; false with the reason in error.
bool WriteBitmap(const std::string& path, const TBitmap& bitmap, std::string& error);
// An 8-bit bitmap from width, height, colour table and row-major indices (row 0 = top).
bool WriteBitmap8(const std::string& path, int32_t width, int32_t height,
                  const std::vector<TRGBQuad>& colors, const std::vector<uint8_t>& indices,
                  std::string& error);
