// zvtool icons SHEET OUT_DIR NAME SIZE...: the desktop icons, the player's ship from its sheet
// drawn into squares of each size as OUT_DIR/SIZE/NAME.png with a transparent background.
// Sizes the ship fits into whole get whole-number enlargements (crisp pixels); smaller ones
// are averaged down.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bmpread.h"
#include "common/registry.h"
#include "krdxlib/pngfile.h"

namespace zvtools {
namespace {

constexpr int ShipSize = 40;     // the first frame of the first character: (0, 0)-(40, 40)
constexpr uint8_t KeyIndex = 0;  // the sheet's colour key
constexpr int Supersample = 8;   // samples a side for each pixel of a reduced icon

struct Rgba {
    int R = 0, G = 0, B = 0, A = 0;
};

std::vector<uint8_t> DrawIcon(const LoadedPicture& sheet, int size) {
    // The ship's bounding box inside its cell, so the icon is filled edge to edge.
    int l = ShipSize, t = ShipSize, r = -1, b = -1;
    for (int y = 0; y < ShipSize; ++y)
        for (int x = 0; x < ShipSize; ++x)
            if (sheet.Pic.Get(x, y, KeyIndex) != KeyIndex) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
    if (r < 0) throw std::runtime_error("the ship's cell is empty");
    const int w = r - l + 1, h = b - t + 1, side = std::max(w, h);
    auto sample = [&](int x, int y) {  // in the centred side x side square
        const int sx = l + x - (side - w) / 2, sy = t + y - (side - h) / 2;
        const uint8_t v = sx < l || sy < t || sx > r || sy > b ? KeyIndex : sheet.Pic.At(sx, sy);
        if (v == KeyIndex || v >= sheet.Colors.size()) return Rgba{};
        const Rgb c = sheet.Colors[v];
        return Rgba{c.R, c.G, c.B, 255};
    };
    std::vector<uint8_t> out(static_cast<size_t>(size) * size * 4, 0);
    const int whole = size / side;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum;
            if (whole >= 1) {
                const int pad = (size - whole * side) / 2;
                const int cx = x - pad, cy = y - pad;
                if (cx < 0 || cy < 0 || cx >= whole * side || cy >= whole * side) continue;
                sum = sample(cx / whole, cy / whole);
            } else {
                // Premultiplied average of the samples falling into this pixel.
                for (int j = 0; j < Supersample; ++j)
                    for (int i = 0; i < Supersample; ++i) {
                        const Rgba s = sample((x * Supersample + i) * side / (size * Supersample),
                                              (y * Supersample + j) * side / (size * Supersample));
                        sum.R += s.R * s.A / 255, sum.G += s.G * s.A / 255;
                        sum.B += s.B * s.A / 255, sum.A += s.A;
                    }
                const int n = Supersample * Supersample;
                if (sum.A == 0) continue;
                sum = {sum.R * 255 / sum.A, sum.G * 255 / sum.A, sum.B * 255 / sum.A, sum.A / n};
            }
            uint8_t* p = &out[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = static_cast<uint8_t>(std::min(sum.R, 255));
            p[1] = static_cast<uint8_t>(std::min(sum.G, 255));
            p[2] = static_cast<uint8_t>(std::min(sum.B, 255));
            p[3] = static_cast<uint8_t>(sum.A);
        }
    return out;
}

int Icons(const std::vector<std::string>& args) {
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: zvtool icons SHEET.bmp OUT_DIR NAME SIZE...\n");
        return 2;
    }
    try {
        const LoadedPicture sheet = LoadPicture(args[0]);
        for (size_t i = 3; i < args.size(); ++i) {
            const int size = std::stoi(args[i]);
            if (size < 8 || size > 1024) throw std::runtime_error("bad icon size " + args[i]);
            const std::filesystem::path dir = std::filesystem::path(args[1]) / args[i];
            std::filesystem::create_directories(dir);
            const std::vector<uint8_t> rgba = DrawIcon(sheet, size);
            std::string error;
            if (!WritePng((dir / (args[2] + ".png")).string(), size, size, PngLayout::Rgba,
                          rgba.data(), error))
                throw std::runtime_error(error);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zvtool icons: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

ZV_COMMAND("icons", "SHEET.bmp OUT_DIR NAME SIZE...  desktop icons of the player's ship", Icons);

}  // namespace zvtools
