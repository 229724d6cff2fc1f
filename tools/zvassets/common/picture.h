#pragma once
// An 8-bit indexed picture being drawn by a generator, and the one call that saves it as a
// palettised Windows bitmap.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zvtools {

struct Rgb {
    uint8_t R = 0, G = 0, B = 0;
};

struct Picture {
    int W = 0, H = 0;
    std::vector<uint8_t> Px;  // row-major, row 0 at the top

    Picture() = default;
    Picture(int w, int h, uint8_t fill = 0) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
    uint8_t At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
    uint8_t& Ref(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
    // Clipped write.
    void Set(int x, int y, uint8_t v) {
        if (In(x, y)) Ref(x, y) = v;
    }
    uint8_t Get(int x, int y, uint8_t outside = 0) const { return In(x, y) ? At(x, y) : outside; }
};

// Writes a 4- or 8-bit bitmap with the given colour table (at least as many entries as the
// highest index used plus one; missing entries up to the table length are black). The file
// appears whole or not at all (written to a temporary name, then renamed).
void SavePicture(const std::filesystem::path& path, int w, int h, int bits,
                 const std::vector<Rgb>& palette, const std::vector<uint8_t>& indices);
inline void SavePicture(const std::filesystem::path& path, const Picture& p, int bits,
                        const std::vector<Rgb>& palette) {
    SavePicture(path, p.W, p.H, bits, palette, p.Px);
}

}  // namespace zvtools
