#include "common/bmpread.h"

#include "krdxlib/bmpfile.h"

namespace zvtools {

LoadedPicture LoadPicture(const std::filesystem::path& path) {
    const TBitmap bmp = LoadBitmapFile(path.string());  // throws EBitmapError naming the file
    LoadedPicture lp;
    lp.Bits = bmp.BitCount;
    for (const TRGBQuad& c : bmp.Colors) lp.Colors.push_back({c.Red, c.Green, c.Blue});
    lp.Pic = Picture(bmp.Width, bmp.Height);
    lp.Pic.Px = bmp.Indices;
    return lp;
}

}  // namespace zvtools
