#pragma once
// Reads back an uncompressed 4- or 8-bit bitmap written by SavePicture (for the review
// pictures and checks of the tools).
#include <filesystem>
#include <vector>

#include "common/picture.h"

namespace zvtools {

struct LoadedPicture {
    Picture Pic;
    std::vector<Rgb> Colors;
    int Bits = 0;
};

// Throws naming the file when it is not such a bitmap.
LoadedPicture LoadPicture(const std::filesystem::path& path);

}  // namespace zvtools
