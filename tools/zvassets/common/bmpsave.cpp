#include "common/picture.h"

#include <stdexcept>
#include <string>

#include "krdxlib/bmpwrite.h"

namespace zvtools {

void SavePicture(const std::filesystem::path& path, int w, int h, int bits,
                 const std::vector<Rgb>& palette, const std::vector<uint8_t>& indices) {
    TBitmap bmp;
    bmp.Width = w;
    bmp.Height = h;
    bmp.BitCount = bits;
    for (const Rgb& c : palette) bmp.Colors.push_back({c.B, c.G, c.R, 0});
    bmp.Indices = indices;
    for (uint8_t v : indices)
        if (v >= palette.size())
            throw std::runtime_error(path.string() + ": pixel index beyond the colour table");
    std::string error;
    try {
        if (!WriteBitmap(path.string(), bmp, error)) throw std::runtime_error(error);
    } catch (const std::invalid_argument& e) {
        throw std::runtime_error(path.string() + ": " + e.what());
    }
}

}  // namespace zvtools
