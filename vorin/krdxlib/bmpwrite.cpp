#include "krdxlib/bmpwrite.h"

#include <stdexcept>

#include "krdxlib/atomicfile.h"

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr int32_t PixelsPerMetre = 2835;  // 72 dots per inch, what most tools write

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xffff);
    Put16(v, x >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBitmap(const TBitmap& bmp) {
    if (bmp.BitCount != 4 && bmp.BitCount != 8)
        throw std::invalid_argument("bitmap: bit depth must be 4 or 8");
    if (bmp.Width <= 0 || bmp.Height <= 0 || bmp.Width > 16384 || bmp.Height > 16384)
        throw std::invalid_argument("bitmap: bad size");
    const size_t maxColors = size_t{1} << bmp.BitCount;
    if (bmp.Colors.empty() || bmp.Colors.size() > maxColors)
        throw std::invalid_argument("bitmap: colour table must have 1 to " +
                                    std::to_string(maxColors) + " entries");
    const size_t pixels = static_cast<size_t>(bmp.Width) * bmp.Height;
    if (bmp.Indices.size() != pixels)
        throw std::invalid_argument("bitmap: need one index per pixel");
    for (uint8_t i : bmp.Indices)
        if (i >= maxColors) throw std::invalid_argument("bitmap: index beyond the bit depth");

    const uint32_t stride = (static_cast<uint32_t>(bmp.Width) * bmp.BitCount + 31) / 32 * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(bmp.Height);
    const uint32_t tableSize = static_cast<uint32_t>(bmp.Colors.size()) * 4;
    const uint32_t offset = FileHeaderSize + InfoHeaderSize + tableSize;

    std::vector<uint8_t> v;
    v.reserve(offset + imageSize);
    v.push_back('B');
    v.push_back('M');
    Put32(v, offset + imageSize);
    Put32(v, 0);
    Put32(v, offset);
    Put32(v, InfoHeaderSize);
    Put32(v, static_cast<uint32_t>(bmp.Width));
    Put32(v, static_cast<uint32_t>(bmp.Height));  // positive: bottom-up rows
    Put16(v, 1);
    Put16(v, static_cast<uint32_t>(bmp.BitCount));
    Put32(v, 0);  // uncompressed
    Put32(v, imageSize);
    Put32(v, PixelsPerMetre);
    Put32(v, PixelsPerMetre);
    Put32(v, static_cast<uint32_t>(bmp.Colors.size()));
    Put32(v, 0);
    for (const TRGBQuad& c : bmp.Colors) {
        v.push_back(c.Blue);
        v.push_back(c.Green);
        v.push_back(c.Red);
        v.push_back(c.Reserved);
    }
    for (int32_t y = bmp.Height - 1; y >= 0; --y) {
        const size_t rowStart = v.size();
        v.resize(rowStart + stride, 0);
        uint8_t* row = v.data() + rowStart;
        for (int32_t x = 0; x < bmp.Width; ++x) {
            const uint8_t i = bmp.At(x, y);
            if (bmp.BitCount == 8)
                row[x] = i;
            else
                row[x / 2] |= (x & 1) ? i : static_cast<uint8_t>(i << 4);
        }
    }
    return v;
}

bool WriteBitmap(const std::string& path, const TBitmap& bitmap, std::string& error) {
    std::vector<uint8_t> bytes;
    try {
        bytes = EncodeBitmap(bitmap);
    } catch (const std::invalid_argument& e) {
        error = e.what();
        return false;
    }
    if (!WriteFileAtomic(path, bytes.data(), bytes.size(), error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool WriteBitmap8(const std::string& path, int32_t width, int32_t height,
                  const std::vector<TRGBQuad>& colors, const std::vector<uint8_t>& indices,
                  std::string& error) {
    TBitmap bmp;
    bmp.Width = width;
    bmp.Height = height;
    bmp.BitCount = 8;
    bmp.Colors = colors;
    bmp.Indices = indices;
    return WriteBitmap(path, bmp, error);
}
