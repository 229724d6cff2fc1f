#pragma once
// RGB PNG files for review pictures (through libpng).
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zvtools {

// rgb holds w * h * 3 bytes, rows top to bottom.
void SavePng(const std::filesystem::path& path, int w, int h, const std::vector<uint8_t>& rgb);

}  // namespace zvtools
