#include "common/pngwrite.h"

#include <stdexcept>
#include <string>

#include "krdxlib/pngfile.h"

namespace zvtools {

void SavePng(const std::filesystem::path& path, int w, int h, const std::vector<uint8_t>& rgb) {
    if (rgb.size() < static_cast<size_t>(w) * h * 3)
        throw std::invalid_argument("SavePng: too few pixels");
    std::string error;
    if (!WritePng(path.string(), w, h, PngLayout::Rgb, rgb.data(), error))
        throw std::runtime_error(path.string() + ": " + error);
}

}  // namespace zvtools
