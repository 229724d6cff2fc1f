// The palette expansion a frame goes through before the screen: every index, any width (the
// vector path does 64 pixels at a time and the rest one by one), a pitch wider than a row.
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"

namespace {

TEST(ExpandFrame, EveryIndexAndWidthGivesTheTableColourOpaque) {
    std::vector<uint8_t> palette(1024);
    uint32_t seed = 11;
    for (uint8_t& v : palette) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<uint8_t>(seed >> 24);
    }
    constexpr int Pitch = 200, Height = 3;
    std::vector<uint8_t> frame(Pitch * Height);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 101 + 7);
    for (int width : {1, 63, 64, 65, 127, 128, 191, 200}) {
        std::vector<uint32_t> want(width * Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint8_t* c = &palette[frame[y * Pitch + x] * 4];
                want[y * width + x] = 0xff000000u | c[2] << 16 | c[1] << 8 | c[0];
            }
        std::vector<uint32_t> got(want.size() + 1, 0x12345678), plain(got);
        plat::ExpandFrame(frame.data(), width, Height, Pitch, palette.data(), got.data());
        plat::ExpandFramePlain(frame.data(), width, Height, Pitch, palette.data(), plain.data());
        EXPECT_EQ(got.back(), 0x12345678u) << "wrote past the frame, width " << width;
        got.pop_back();
        plain.pop_back();
        EXPECT_EQ(got, want) << "width " << width;
        EXPECT_EQ(plain, want) << "width " << width;
    }
}

}  // namespace
