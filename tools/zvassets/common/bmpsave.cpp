#include "common/picture.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zvtools {
namespace {
void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xff);
    b.push_back((v >> 8) & 0xff);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}
}  // namespace

void SavePicture(const std::filesystem::path& path, int w, int h, int bits,
                 const std::vector<Rgb>& palette, const std::vector<uint8_t>& indices) {
    const std::string name = path.string();
    if (bits != 4 && bits != 8) throw std::runtime_error(name + ": only 4 or 8 bits per pixel");
    if (w <= 0 || h <= 0 || indices.size() != static_cast<size_t>(w) * h)
        throw std::runtime_error(name + ": picture size does not match its pixels");
    const size_t colors = palette.size();
    if (colors == 0 || colors > (1u << bits))
        throw std::runtime_error(name + ": colour table length does not fit the bit depth");
    for (uint8_t v : indices)
        if (v >= colors) throw std::runtime_error(name + ": pixel index beyond the colour table");

    const uint32_t stride = ((static_cast<uint32_t>(w) * bits + 31) / 32) * 4;
    const uint32_t offBits = 14 + 40 + 4 * static_cast<uint32_t>(colors);
    const uint32_t imageSize = stride * static_cast<uint32_t>(h);
    std::vector<uint8_t> b;
    b.reserve(offBits + imageSize);
    b.push_back('B');
    b.push_back('M');
    Put32(b, offBits + imageSize);
    Put32(b, 0);
    Put32(b, offBits);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(w));
    Put32(b, static_cast<uint32_t>(h));  // positive: rows stored bottom-up
    Put16(b, 1);
    Put16(b, static_cast<uint32_t>(bits));
    Put32(b, 0);  // no compression
    Put32(b, imageSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<uint32_t>(colors));
    Put32(b, static_cast<uint32_t>(colors));
    for (const Rgb& c : palette) {
        b.push_back(c.B);
        b.push_back(c.G);
        b.push_back(c.R);
        b.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = indices.data() + static_cast<size_t>(y) * w;
        const size_t start = b.size();
        if (bits == 8) {
            b.insert(b.end(), row, row + w);
        } else {
            for (int x = 0; x < w; x += 2) {
                uint8_t hi = row[x] & 15, lo = x + 1 < w ? row[x + 1] & 15 : 0;
                b.push_back(static_cast<uint8_t>(hi << 4 | lo));
            }
        }
        while (b.size() - start < stride) b.push_back(0);
    }

    std::filesystem::path tmp = path;
    tmp += ".tmp";
    std::FILE* f = std::fopen(tmp.string().c_str(), "wb");
    if (!f) throw std::runtime_error(name + ": cannot create the file");
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    if (std::fclose(f) != 0 || !ok) {
        std::filesystem::remove(tmp);
        throw std::runtime_error(name + ": write failed");
    }
    std::filesystem::rename(tmp, path);
}

}  // namespace zvtools
