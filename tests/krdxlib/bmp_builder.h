#pragma once
// Builds bitmap files byte by byte, so the reader is tested against the format itself rather
// than against our own writer.
#include <cstdint>
#include <vector>

#include "base/graphics.h"

namespace bmptest {

struct BmpSpec {
    uint32_t HeaderSize = 40;  // 12 = core header with 3-byte colour entries
    int32_t Width = 0;
    int32_t Height = 0;  // negative: top-down
    uint16_t Planes = 1;
    uint16_t Bits = 8;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    std::vector<TRGBQuad> Colors;  // written as given
    std::vector<uint8_t> Pixels;   // raw pixel data as stored in the file
    int64_t PixelOffset = -1;      // -1: straight after the colour table
};

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xffff);
    Put16(v, x >> 16);
}

inline std::vector<uint8_t> Build(const BmpSpec& s) {
    const bool core = s.HeaderSize == 12;
    const uint32_t table = static_cast<uint32_t>(s.Colors.size()) * (core ? 3 : 4);
    const uint32_t offset =
        s.PixelOffset >= 0 ? static_cast<uint32_t>(s.PixelOffset) : 14 + s.HeaderSize + table;
    std::vector<uint8_t> v{'B', 'M'};
    Put32(v, offset + static_cast<uint32_t>(s.Pixels.size()));
    Put32(v, 0);
    Put32(v, offset);
    Put32(v, s.HeaderSize);
    if (core) {
        Put16(v, static_cast<uint32_t>(s.Width));
        Put16(v, static_cast<uint32_t>(s.Height));
        Put16(v, s.Planes);
        Put16(v, s.Bits);
    } else {
        Put32(v, static_cast<uint32_t>(s.Width));
        Put32(v, static_cast<uint32_t>(s.Height));
        Put16(v, s.Planes);
        Put16(v, s.Bits);
        Put32(v, s.Compression);
        Put32(v, static_cast<uint32_t>(s.Pixels.size()));
        Put32(v, 2835);
        Put32(v, 2835);
        Put32(v, s.ColorsUsed);
        Put32(v, 0);
        while (v.size() < 14 + s.HeaderSize) v.push_back(0);  // V4/V5 fields left zero
    }
    for (const TRGBQuad& c : s.Colors) {
        v.push_back(c.Blue);
        v.push_back(c.Green);
        v.push_back(c.Red);
        if (!core) v.push_back(c.Reserved);
    }
    while (v.size() < offset) v.push_back(0xee);  // a gap before the pixels is allowed
    v.insert(v.end(), s.Pixels.begin(), s.Pixels.end());
    return v;
}

// A colour table whose entry i is easy to recognise.
inline std::vector<TRGBQuad> Ramp(int n) {
    std::vector<TRGBQuad> c(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        c[static_cast<size_t>(i)] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                     static_cast<uint8_t>(i * 3), 0};
    return c;
}

}  // namespace bmptest
