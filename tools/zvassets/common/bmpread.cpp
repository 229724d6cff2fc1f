#include "common/bmpread.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace zvtools {

LoadedPicture LoadPicture(const std::filesystem::path& path) {
    const std::string name = path.string();
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error(name + ": cannot open");
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto u32 = [&](size_t o) -> uint32_t {
        if (o + 4 > d.size()) throw std::runtime_error(name + ": truncated");
        return d[o] | d[o + 1] << 8 | d[o + 2] << 16 | static_cast<uint32_t>(d[o + 3]) << 24;
    };
    auto u16 = [&](size_t o) -> uint32_t {
        if (o + 2 > d.size()) throw std::runtime_error(name + ": truncated");
        return d[o] | d[o + 1] << 8;
    };
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') throw std::runtime_error(name + ": not a bitmap");
    LoadedPicture lp;
    const uint32_t off = u32(10), hsize = u32(14);
    const int w = static_cast<int32_t>(u32(18)), hraw = static_cast<int32_t>(u32(22));
    lp.Bits = static_cast<int>(u16(28));
    if (u32(30) != 0 || (lp.Bits != 4 && lp.Bits != 8) || w <= 0 || hraw == 0 || w > 8192 ||
        hraw > 8192 || hraw < -8192)
        throw std::runtime_error(name + ": not an uncompressed 4- or 8-bit bitmap");
    const int h = hraw < 0 ? -hraw : hraw;
    uint32_t colors = u32(46);
    if (colors == 0) colors = 1u << lp.Bits;
    for (uint32_t i = 0; i < colors; ++i) {
        size_t o = 14 + hsize + 4 * i;
        if (o + 4 > d.size()) throw std::runtime_error(name + ": truncated colour table");
        lp.Colors.push_back({d[o + 2], d[o + 1], d[o]});
    }
    const size_t stride = ((static_cast<size_t>(w) * lp.Bits + 31) / 32) * 4;
    if (off + stride * h > d.size()) throw std::runtime_error(name + ": truncated pixels");
    lp.Pic = Picture(w, h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = d.data() + off + stride * (hraw > 0 ? h - 1 - y : y);
        for (int x = 0; x < w; ++x)
            lp.Pic.Ref(x, y) = lp.Bits == 8 ? row[x] : (x & 1 ? row[x / 2] & 15 : row[x / 2] >> 4);
    }
    return lp;
}

}  // namespace zvtools
