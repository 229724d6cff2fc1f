#pragma once
// A game picture read through the game's own bitmap reader, as the tools want it.
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
