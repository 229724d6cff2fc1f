#pragma once
// Pixel art as text. A file holds legends and pictures:
//
//   ; a comment line
//   legend                 starts a new legend: one "CHAR VALUE" pair per line up to "end"
//   . none                 "none" marks a pixel that is left untouched when blitting
//   # 1
//   end
//   sprite NAME W H        followed by exactly H rows of exactly W legend characters;
//   sprite 'A' 5 7         a quoted single character may serve as the name
//
// A picture uses the legend defined last before it. Errors name the file and the line.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zvtools {

constexpr uint8_t kPixelNone = 255;  // legend value "none"

struct PixelSprite {
    std::string Name;
    int W = 0, H = 0;
    std::vector<uint8_t> Px;  // legend values, kPixelNone where nothing is drawn
    uint8_t At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
};

struct PixelArt {
    std::string File;
    std::vector<PixelSprite> Sprites;
    // Throws naming the file when there is no such picture.
    const PixelSprite& Get(const std::string& name) const;
    const PixelSprite* Find(const std::string& name) const;
};

PixelArt ParsePixelArt(const std::string& text, const std::string& fileName);
PixelArt ReadPixelArt(const std::filesystem::path& path);

}  // namespace zvtools
