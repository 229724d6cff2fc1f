// zvtool sheets OUT_DIR [DATA_DIR]: review pictures of the game's sheets. Each sheet is
// enlarged 2x with every rectangle the game draws from it outlined and labelled; rectangles
// that hold nothing but the colour key are reported.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "common/bmpread.h"
#include "common/pngwrite.h"
#include "common/registry.h"
#include "common/sheetlayout.h"

namespace zvtools {
namespace {

constexpr int kScale = 2;
const Rgb kMarks[] = {{255, 255, 0}, {0, 255, 255}, {255, 64, 255}, {64, 255, 64}};

struct Canvas {
    int W, H;
    std::vector<uint8_t> Rgb3;
    void Put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= W || y >= H) return;
        uint8_t* p = &Rgb3[(static_cast<size_t>(y) * W + x) * 3];
        p[0] = c.R;
        p[1] = c.G;
        p[2] = c.B;
    }
};

// Labels in the small font of font.bmp (style 0), uppercase only.
void Label(Canvas& cv, const LoadedPicture* font, int x, int y, int maxX, const std::string& s,
           Rgb colour) {
    if (!font) return;
    const uint8_t key = font->Pic.At(0, 0);
    for (size_t i = 0; i < s.size(); ++i) {
        int ch = s[i];
        if (ch >= 'a' && ch <= 'z') ch -= 32;
        if (ch < 32 || ch > 95) ch = '?';
        const int c = ch - 32, sx = 160 + (c % 16) * 7, sy = 160 + (c / 16) * 7;
        const int gx = x + static_cast<int>(i) * 6;
        if (gx + 5 > maxX) break;
        for (int j = -1; j < 7; ++j)
            for (int k = -1; k < 7; ++k) {
                bool on = k >= 0 && j >= 0 && k < 6 && j < 6 && font->Pic.At(sx + k, sy + j) != key;
                if (on) cv.Put(gx + k, y + j, colour);
                else {
                    bool near = false;
                    for (int dj = -1; dj <= 1 && !near; ++dj)
                        for (int dk = -1; dk <= 1 && !near; ++dk) {
                            int kk = k + dk, jj = j + dj;
                            near = kk >= 0 && jj >= 0 && kk < 6 && jj < 6 &&
                                   font->Pic.At(sx + kk, sy + jj) != key;
                        }
                    if (near) cv.Put(gx + k, y + j, {0, 0, 0});
                }
            }
    }
}

// The rows of a large font cell that its glyph leaves clear, shown in a red checker so that
// a glyph reaching into them stands out.
bool ClearFontRow(const SheetSpec& spec, int x, int y) {
    return std::string(spec.File) == "font.bmp" && InLargeFont(x, y) &&
           y % kFontCellH >= kFontGlyphRows;
}

int Sheets(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) {
        std::fprintf(stderr, "usage: zvtool sheets OUT_DIR [DATA_DIR]\n");
        return 2;
    }
    const std::filesystem::path out = args[0];
    const std::filesystem::path data =
        args.size() > 1 ? std::filesystem::path(args[1])
                        : std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::filesystem::create_directories(out);
    LoadedPicture fontPic;
    const LoadedPicture* font = nullptr;
    try {
        fontPic = LoadPicture(data / "font.bmp");
        font = &fontPic;
    } catch (const std::exception&) {
    }
    int problems = 0;
    for (const SheetSpec& spec : SheetSpecs()) {
        LoadedPicture lp;
        try {
            lp = LoadPicture(data / spec.File);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zvtool sheets: %s\n", e.what());
            ++problems;
            continue;
        }
        const Picture& p = lp.Pic;
        const uint8_t key = spec.KeyX >= 0 ? p.Get(spec.KeyX, spec.KeyY) : 0;
        Canvas cv{p.W * kScale, p.H * kScale, {}};
        cv.Rgb3.resize(static_cast<size_t>(cv.W) * cv.H * 3);
        for (int y = 0; y < cv.H; ++y)
            for (int x = 0; x < cv.W; ++x) {
                uint8_t v = p.At(x / kScale, y / kScale);
                Rgb c = v < lp.Colors.size() ? lp.Colors[v] : Rgb{255, 0, 255};
                if (spec.KeyX >= 0 && v == key) {
                    c = ((x / 8 + y / 8) & 1) ? Rgb{40, 40, 48} : Rgb{56, 56, 64};
                    if (ClearFontRow(spec, x / kScale, y / kScale))
                        c = ((x / 8 + y / 8) & 1) ? Rgb{72, 32, 40} : Rgb{88, 40, 48};
                }
                cv.Put(x, y, c);
            }
        const auto rects = SheetRects(spec.File);
        int empty = 0, n = 0;
        for (const SheetRect& r : rects) {
            bool any = false;
            for (int y = r.T; y < r.B && !any; ++y)
                for (int x = r.L; x < r.R && !any; ++x) any = p.Get(x, y, key) != key;
            if (!any && spec.KeyX >= 0) {
                std::printf("%s: rectangle %s (%d,%d)-(%d,%d) is empty\n", spec.File,
                            r.Label.c_str(), r.L, r.T, r.R, r.B);
                ++empty;
            }
            const Rgb m = kMarks[n++ % 4];
            for (int x = r.L * kScale; x < r.R * kScale; ++x) {
                cv.Put(x, r.T * kScale, m);
                cv.Put(x, r.B * kScale - 1, m);
            }
            for (int y = r.T * kScale; y < r.B * kScale; ++y) {
                cv.Put(r.L * kScale, y, m);
                cv.Put(r.R * kScale - 1, y, m);
            }
            Label(cv, font, r.L * kScale + 2, r.T * kScale + 2, r.R * kScale, r.Label, m);
        }
        std::filesystem::path name = out / spec.File;
        name.replace_extension(".png");
        SavePng(name, cv.W, cv.H, cv.Rgb3);
        std::printf("%s: %zu rectangles, %d empty -> %s\n", spec.File, rects.size(), empty,
                    name.string().c_str());
        problems += empty;
    }
    return problems == 0 ? 0 : 1;
}

// zvtool png IN.bmp OUT.png [SCALE]: a palettised bitmap (a sheet or a screenshot) as PNG.
int ToPng(const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: zvtool png IN.bmp OUT.png [SCALE]\n");
        return 2;
    }
    try {
        const LoadedPicture lp = LoadPicture(args[0]);
        const int scale = args.size() > 2 ? std::max(1, std::min(8, std::stoi(args[2]))) : 1;
        Canvas cv{lp.Pic.W * scale, lp.Pic.H * scale, {}};
        cv.Rgb3.resize(static_cast<size_t>(cv.W) * cv.H * 3);
        for (int y = 0; y < cv.H; ++y)
            for (int x = 0; x < cv.W; ++x) {
                const uint8_t v = lp.Pic.At(x / scale, y / scale);
                cv.Put(x, y, v < lp.Colors.size() ? lp.Colors[v] : Rgb{255, 0, 255});
            }
        SavePng(args[1], cv.W, cv.H, cv.Rgb3);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zvtool png: %s\n", e.what());
        return 1;
    }
    return 0;
}

ZV_COMMAND("png", "IN.bmp OUT.png [SCALE]  a bitmap as PNG", ToPng);
ZV_COMMAND("sheets", "OUT_DIR [DATA_DIR]  review pictures of every sheet, rectangles outlined", Sheets);

}  // namespace
}  // namespace zvtools
