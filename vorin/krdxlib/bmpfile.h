#pragma once
// Reading palettised Windows bitmaps (4 and 8 bits, bottom-up or top-down, RLE4 and RLE8).
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/graphics.h"

struct TBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitCount = 0;          // 4 or 8
    std::vector<TRGBQuad> Colors;  // the colour table, as stored (up to 256)
    std::vector<uint8_t> Indices;  // Width*Height colour indices, row 0 = top of picture
    uint8_t At(int32_t x, int32_t y) const { return Indices[static_cast<size_t>(y) * Width + x]; }
};

class EBitmapError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Parses a bitmap image in memory; on failure returns false with the reason in error.
bool ParseBitmap(const uint8_t* data, size_t size, TBitmap& out, std::string& error);
// Reads a file; throws EBitmapError naming the file and the reason.
TBitmap LoadBitmapFile(const std::string& path);
