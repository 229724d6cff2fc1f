#include "krdxlib/bmpfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bmp_builder.h"
#include "krdxlib/bmpwrite.h"

using bmptest::BmpSpec;
using bmptest::Build;
using bmptest::Ramp;

namespace {

TBitmap MustParse(const std::vector<uint8_t>& bytes) {
    TBitmap bmp;
    std::string error;
    EXPECT_TRUE(ParseBitmap(bytes.data(), bytes.size(), bmp, error)) << error;
    return bmp;
}

// Parses what must fail; returns the reason.
std::string ParseError(const std::vector<uint8_t>& bytes) {
    TBitmap bmp;
    std::string error;
    EXPECT_FALSE(ParseBitmap(bytes.data(), bytes.size(), bmp, error));
    EXPECT_FALSE(error.empty());
    return error;
}

std::vector<uint8_t> Row(const TBitmap& b, int y) {
    return {b.Indices.begin() + y * b.Width, b.Indices.begin() + (y + 1) * b.Width};
}

using Bytes = std::vector<uint8_t>;

// 8-bit, 3 x 2, bottom-up: the first stored row is the bottom of the picture.
BmpSpec Small8() {
    BmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.Colors = Ramp(256);
    s.Pixels = {7, 8, 9, 0, 1, 2, 3, 0};
    return s;
}

// RLE8 picture 6 x 4 exercising every code.
BmpSpec Rle8Sample() {
    BmpSpec s;
    s.Width = 6;
    s.Height = 4;
    s.Compression = 1;
    s.Colors = Ramp(16);
    s.ColorsUsed = 16;
    s.Pixels = {
        3, 5, 0, 3, 1, 2, 3, 0,  // bottom row: 5 5 5 then absolute 1 2 3 (odd: padded)
        0, 0,                    // end of line
        2, 9, 0, 2, 1, 1,        // row 1: 9 9, then delta right 1 up 1
        2, 4,                    // row 2 at x 3: 4 4
        0, 0,                    // end of line
        0, 4, 6, 7, 8, 9,        // row 3: absolute 6 7 8 9 (even: no pad)
        0, 1,                    // end of bitmap
    };
    return s;
}

BmpSpec Rle4Sample() {
    BmpSpec s;
    s.Width = 5;
    s.Height = 3;
    s.Bits = 4;
    s.Compression = 2;
    s.Colors = Ramp(16);
    s.Pixels = {
        5, 0x12,                          // bottom row: 1 2 1 2 1
        0, 0,                             // end of line
        0, 3, 0xab, 0xc0,                 // absolute a b c: two bytes, already even
        2, 0xde,                          // d e
        0, 0,                             // end of line
        0, 5, 0x9a, 0xbc, 0xd0, 0,        // absolute 9 a b c d: three bytes and a pad
        0, 1,
    };
    return s;
}

}  // namespace

TEST(BmpRead, EightBitBottomUp) {
    const TBitmap b = MustParse(Build(Small8()));
    EXPECT_EQ(b.Width, 3);
    EXPECT_EQ(b.Height, 2);
    EXPECT_EQ(b.BitCount, 8);
    EXPECT_EQ(Row(b, 0), (Bytes{1, 2, 3}));
    EXPECT_EQ(Row(b, 1), (Bytes{7, 8, 9}));
    ASSERT_EQ(b.Colors.size(), 256u);
    EXPECT_EQ(b.Colors[200], (TRGBQuad{200, 55, static_cast<uint8_t>(600), 0}));
}

TEST(BmpRead, TopDownRows) {
    BmpSpec s = Small8();
    s.Height = -2;
    const TBitmap b = MustParse(Build(s));
    EXPECT_EQ(b.Height, 2);
    EXPECT_EQ(Row(b, 0), (Bytes{7, 8, 9}));
    EXPECT_EQ(Row(b, 1), (Bytes{1, 2, 3}));
}

TEST(BmpRead, FourBitHighNibbleFirstWithOddWidth) {
    BmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.Bits = 4;
    s.Colors = Ramp(16);
    s.Pixels = {0x12, 0x30, 0, 0, 0xfe, 0xd0, 0, 0};
    const TBitmap b = MustParse(Build(s));
    EXPECT_EQ(b.BitCount, 4);
    EXPECT_EQ(b.Colors.size(), 16u);
    EXPECT_EQ(Row(b, 0), (Bytes{15, 14, 13}));
    EXPECT_EQ(Row(b, 1), (Bytes{1, 2, 3}));
}

TEST(BmpRead, ColourTableLengthAndReservedByte) {
    BmpSpec s = Small8();
    s.Colors = Ramp(5);
    s.Colors[4].Reserved = 77;
    s.ColorsUsed = 5;
    const TBitmap b = MustParse(Build(s));
    ASSERT_EQ(b.Colors.size(), 5u);
    EXPECT_EQ(b.Colors[4].Reserved, 77);
    // Indices beyond the colour table are kept as they are.
    EXPECT_EQ(b.At(2, 1), 9);
}

TEST(BmpRead, LargerHeadersAndGapBeforePixels) {
    for (uint32_t size : {52u, 56u, 64u, 108u, 124u}) {
        BmpSpec s = Small8();
        s.HeaderSize = size;
        s.PixelOffset = 14 + size + 256 * 4 + 6;
        const TBitmap b = MustParse(Build(s));
        EXPECT_EQ(Row(b, 0), (Bytes{1, 2, 3})) << size;
        EXPECT_EQ(b.Colors[3], Ramp(4)[3]) << size;
    }
}

TEST(BmpRead, CoreHeaderWithThreeByteColours) {
    BmpSpec s = Small8();
    s.HeaderSize = 12;
    s.Bits = 4;
    s.Colors = Ramp(16);
    s.Pixels = {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0};
    const TBitmap b = MustParse(Build(s));
    EXPECT_EQ(b.Colors.size(), 16u);
    EXPECT_EQ(b.Colors[9], Ramp(16)[9]);
    EXPECT_EQ(Row(b, 0), (Bytes{4, 5, 6}));
    EXPECT_EQ(Row(b, 1), (Bytes{1, 2, 3}));
}

TEST(BmpRead, Rle8AllCodes) {
    const TBitmap b = MustParse(Build(Rle8Sample()));
    EXPECT_EQ(Row(b, 3), (Bytes{5, 5, 5, 1, 2, 3}));
    EXPECT_EQ(Row(b, 2), (Bytes{9, 9, 0, 0, 0, 0}));  // delta skips the rest of the row
    EXPECT_EQ(Row(b, 1), (Bytes{0, 0, 0, 4, 4, 0}));  // skipped pixels stay 0
    EXPECT_EQ(Row(b, 0), (Bytes{6, 7, 8, 9, 0, 0}));
}

TEST(BmpRead, Rle4AllCodes) {
    const TBitmap b = MustParse(Build(Rle4Sample()));
    EXPECT_EQ(Row(b, 2), (Bytes{1, 2, 1, 2, 1}));
    EXPECT_EQ(Row(b, 1), (Bytes{10, 11, 12, 13, 14}));
    EXPECT_EQ(Row(b, 0), (Bytes{9, 10, 11, 12, 13}));
}

TEST(BmpRead, EarlyEndOfBitmapLeavesZeros) {
    BmpSpec s = Rle8Sample();
    s.Pixels = {2, 7, 0, 1};
    const TBitmap b = MustParse(Build(s));
    EXPECT_EQ(Row(b, 3), (Bytes{7, 7, 0, 0, 0, 0}));
    EXPECT_EQ(Row(b, 0), (Bytes{0, 0, 0, 0, 0, 0}));
}

TEST(BmpRead, MalformedHeadersAreRefused) {
    EXPECT_NE(ParseError({}).find("short"), std::string::npos);
    EXPECT_NE(ParseError({'B', 'M', 0, 0}).find("short"), std::string::npos);
    Bytes noSig = Build(Small8());
    noSig[0] = 'X';
    EXPECT_NE(ParseError(noSig).find("signature"), std::string::npos);
    Bytes farOffset = Build(Small8());
    farOffset[10] = static_cast<uint8_t>(farOffset.size() + 1);
    farOffset[11] = static_cast<uint8_t>((farOffset.size() + 1) >> 8);
    EXPECT_NE(ParseError(farOffset).find("beyond the end"), std::string::npos);

    auto reason = [](void (*edit)(BmpSpec&)) {
        BmpSpec s = Small8();
        edit(s);
        return ParseError(Build(s));
    };
    EXPECT_NE(reason([](BmpSpec& s) { s.HeaderSize = 20; }).find("header size"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Bits = 24; }).find("bit depth 24"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Bits = 1; }).find("bit depth 1"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Planes = 2; }).find("plane"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Width = 0; }).find("bad size"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Width = -3; }).find("bad size"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Height = 0; }).find("bad size"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Height = INT32_MIN; }).find("large"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Width = 100000; }).find("large"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Width = s.Height = 16384; }).find("large"),
              std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Compression = 3; }).find("compression"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Compression = 2; }).find("bit depth"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) {
                  s.Compression = 1;
                  s.Height = -2;
              }).find("top-down"),
              std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.ColorsUsed = 300; }).find("colour table"),
              std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.PixelOffset = 100; }).find("offset"), std::string::npos);
    EXPECT_NE(reason([](BmpSpec& s) { s.Pixels.resize(6); }).find("truncated"), std::string::npos);
}

TEST(BmpRead, ShortColourTableIsRefused) {
    BmpSpec s = Small8();
    s.Colors = Ramp(10);  // 8 bits and no colour count: 256 entries expected
    s.Pixels.clear();
    EXPECT_NE(ParseError(Build(s)).find("colour table"), std::string::npos);
}

TEST(BmpRead, LastRowMayOmitItsPadding) {
    BmpSpec s = Small8();
    s.Pixels.resize(7);
    EXPECT_EQ(Row(MustParse(Build(s)), 0), (Bytes{1, 2, 3}));
}

TEST(BmpRead, MalformedRunLengthDataIsRefused) {
    auto reason = [](Bytes pixels, int bits = 8) {
        BmpSpec s = bits == 8 ? Rle8Sample() : Rle4Sample();
        s.Pixels = std::move(pixels);
        return ParseError(Build(s));
    };
    EXPECT_NE(reason({3, 5}).find("end-of-bitmap"), std::string::npos);
    EXPECT_NE(reason({}).find("end-of-bitmap"), std::string::npos);
    EXPECT_NE(reason({7, 5, 0, 1}).find("end of row"), std::string::npos);
    EXPECT_NE(reason({4, 5, 3, 5, 0, 1}).find("end of row"), std::string::npos);
    EXPECT_NE(reason({0, 7, 1, 2, 3, 4, 5, 6, 7, 0, 0, 1}).find("end of row"), std::string::npos);
    EXPECT_NE(reason({0, 2, 7, 0, 0, 1}).find("outside"), std::string::npos);
    EXPECT_NE(reason({0, 2, 0, 5, 0, 1}).find("outside"), std::string::npos);
    EXPECT_NE(reason({0, 2, 1}).find("delta"), std::string::npos);
    EXPECT_NE(reason({0, 5, 1, 2}).find("absolute"), std::string::npos);
    EXPECT_NE(reason({0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}).find("last row"), std::string::npos);
    EXPECT_NE(reason({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}).find("last row"), std::string::npos);
    EXPECT_NE(reason({6, 0x11, 0, 1}, 4).find("end of row"), std::string::npos);
    EXPECT_NE(reason({0, 6, 0x12, 0x34, 0x56, 0, 0, 1}, 4).find("end of row"), std::string::npos);
}

TEST(BmpRead, EveryTruncationFailsCleanly) {
    for (const BmpSpec& spec : {Small8(), Rle8Sample(), Rle4Sample()}) {
        const Bytes full = Build(spec);
        MustParse(full);
        // Only the last row's padding is optional; any shorter prefix must be refused.
        const size_t pixelStart = full.size() - spec.Pixels.size();
        const size_t limit = spec.Compression == 0 ? pixelStart + 7 : full.size();
        for (size_t n = 0; n < limit; ++n) {
            Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
            TBitmap b;
            std::string error;
            EXPECT_FALSE(ParseBitmap(cut.data(), cut.size(), b, error)) << n;
            EXPECT_TRUE(b.Indices.empty());
        }
    }
}

TEST(BmpWrite, RoundTripsEightAndFourBits) {
    for (int bits : {8, 4}) {
        for (int w : {1, 2, 3, 5, 8, 13}) {
            TBitmap in;
            in.Width = w;
            in.Height = 3;
            in.BitCount = bits;
            in.Colors = Ramp(bits == 8 ? 200 : 16);
            for (int i = 0; i < w * 3; ++i)
                in.Indices.push_back(static_cast<uint8_t>((i * 7 + 3) % (bits == 8 ? 256 : 16)));
            const TBitmap out = MustParse(EncodeBitmap(in));
            EXPECT_EQ(out.Width, in.Width);
            EXPECT_EQ(out.Height, in.Height);
            EXPECT_EQ(out.BitCount, bits);
            EXPECT_EQ(out.Colors, in.Colors);
            EXPECT_EQ(out.Indices, in.Indices) << bits << " bits, width " << w;
        }
    }
}

TEST(BmpWrite, StoresRowsBottomUpAndPadsToFourBytes) {
    TBitmap in;
    in.Width = 3;
    in.Height = 2;
    in.BitCount = 8;
    in.Colors = Ramp(4);
    in.Indices = {1, 2, 3, 3, 2, 1};
    const Bytes file = EncodeBitmap(in);
    ASSERT_EQ(file.size(), 14u + 40u + 16u + 8u);
    EXPECT_EQ(Bytes(file.end() - 8, file.end()), (Bytes{3, 2, 1, 0, 1, 2, 3, 0}));
}

TEST(BmpWrite, RefusesInconsistentBitmaps) {
    TBitmap b;
    b.Width = 2;
    b.Height = 1;
    b.BitCount = 4;
    b.Colors = Ramp(16);
    b.Indices = {1, 16};
    EXPECT_THROW(EncodeBitmap(b), std::invalid_argument);
    b.Indices = {1};
    EXPECT_THROW(EncodeBitmap(b), std::invalid_argument);
    b.Indices = {1, 2};
    b.Colors = Ramp(17);
    EXPECT_THROW(EncodeBitmap(b), std::invalid_argument);
    b.Colors.clear();
    EXPECT_THROW(EncodeBitmap(b), std::invalid_argument);
    b.Colors = Ramp(2);
    b.BitCount = 24;
    EXPECT_THROW(EncodeBitmap(b), std::invalid_argument);
}

class BmpFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::path(::testing::TempDir()) /
              ("zv_bmp_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(BmpFiles, WriteThenLoad) {
    const std::string path = (dir / "pic.bmp").string();
    std::string error;
    ASSERT_TRUE(WriteBitmap8(path, 2, 2, Ramp(3), {0, 1, 2, 200}, error)) << error;
    const TBitmap b = LoadBitmapFile(path);
    EXPECT_EQ(b.Indices, (Bytes{0, 1, 2, 200}));
    EXPECT_EQ(b.Colors.size(), 3u);
    // Only the finished file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(BmpFiles, FailedWriteNamesThePath) {
    const std::string path = (dir / "missing" / "pic.bmp").string();
    std::string error;
    EXPECT_FALSE(WriteBitmap8(path, 1, 1, Ramp(1), {0}, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
}

TEST_F(BmpFiles, LoadErrorsNameTheFileAndTheReason) {
    const std::string missing = (dir / "nothere.bmp").string();
    try {
        LoadBitmapFile(missing);
        FAIL() << "no error for a missing file";
    } catch (const EBitmapError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    const std::string bad = (dir / "bad.bmp").string();
    BmpSpec s = Small8();
    s.Bits = 24;
    const Bytes bytes = Build(s);
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    try {
        LoadBitmapFile(bad);
        FAIL() << "no error for a 24-bit file";
    } catch (const EBitmapError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(bad), std::string::npos) << what;
        EXPECT_NE(what.find("bit depth 24"), std::string::npos) << what;
    }
    EXPECT_THROW(LoadBitmapFile(dir.string()), EBitmapError);
}
