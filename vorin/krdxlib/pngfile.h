#pragma once
// PNG files through libpng: palettised screenshots, RGB review pictures and RGBA icons, and
// a reader that expands any PNG to RGBA (tools and tests read back what was written).
#include <cstdint>
#include <string>
#include <vector>

#include "base/graphics.h"

// Pixel layouts WritePng accepts.
enum class PngLayout { Rgb, Rgba };

// Writes width x height pixels (3 or 4 bytes each, rows top to bottom), replacing the file
// atomically; false with the reason in error.
bool WritePng(const std::string& path, int32_t width, int32_t height, PngLayout layout,
              const uint8_t* pixels, std::string& error);
// Writes an 8-bit palettised picture (row-major indices, row 0 at the top), each pixel
// enlarged to scale x scale; false with the reason in error.
bool WritePng8(const std::string& path, int32_t width, int32_t height, const TPalette& colours,
               const uint8_t* indices, int32_t scale, std::string& error);

struct TPngImage {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Rgba;  // 4 bytes a pixel, rows top to bottom
};
// Reads any PNG into RGBA; false with the reason in error.
bool ReadPng(const std::string& path, TPngImage& out, std::string& error);
