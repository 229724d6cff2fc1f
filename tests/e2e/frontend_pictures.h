#pragma once
// Screenshots of the front end held against the pictures they are drawn from: the share of
// a region whose pixels are exactly the sheet's pixels at their palette offset.
#include <string>

#include "krdxlib/bmpfile.h"

namespace e2e {

struct Shot {
    explicit Shot(const std::string& path) : Bmp(LoadBitmapFile(path)) {}
    TBitmap Bmp;
};

class Pictures {
  public:
    explicit Pictures(const std::string& dataDir);
    // The logo's own (not keyed) pixels found at (20, 20), above the version text.
    double LogoShare(const Shot& s) const;
    // The front-end background inside a screen rectangle.
    double BackgroundShare(const Shot& s, const TRect& r) const;
    // The upper part of character c's portrait in place at (0, 24): columns 0..119, rows
    // 24..95, which nothing else covers.
    double PortraitShare(const Shot& s, int c) const;
    // The 40x40 picture of character c at (x, y), its top `rows` rows, keyed pixels skipped.
    double PlayerShare(const Shot& s, int c, int x, int y, int rows) const;

  private:
    TBitmap logo_, select_, cloth_, player_;
};

}  // namespace e2e
