// The pixel-art text reader of the picture sources.
#include "common/pixelart.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using zvtools::kPixelNone;
using zvtools::ParsePixelArt;

std::string ErrorOf(const std::string& text) {
    try {
        ParsePixelArt(text, "art.txt");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(PixelArt, ReadsPicturesWithTheLegendBeforeThem) {
    const auto art = ParsePixelArt(
        "; two legends\nlegend\n. none\n# 7\nend\nsprite a 3 2\n#.#\n.#.\n"
        "legend\n# 9\nx 0\nend\nsprite 'q' 2 1\n#x\n",
        "art.txt");
    ASSERT_EQ(art.Sprites.size(), 2u);
    const auto& a = art.Get("a");
    EXPECT_EQ(a.W, 3);
    EXPECT_EQ(a.H, 2);
    EXPECT_EQ(a.At(0, 0), 7);
    EXPECT_EQ(a.At(1, 0), kPixelNone);
    EXPECT_EQ(a.At(1, 1), 7);
    const auto& q = art.Get("q");  // quoted one-character name; the second legend applies
    EXPECT_EQ(q.At(0, 0), 9);
    EXPECT_EQ(q.At(1, 0), 0);
    EXPECT_EQ(art.Find("zzz"), nullptr);
}

TEST(PixelArt, QuotedNamesMayBeAnyCharacter) {
    const auto art = ParsePixelArt("legend\n# 1\nend\nsprite ' ' 1 1\n#\nsprite ''' 1 1\n#\n", "f");
    EXPECT_NE(art.Find(" "), nullptr);
    EXPECT_NE(art.Find("'"), nullptr);
}

TEST(PixelArt, ErrorsNameTheFileAndLine) {
    EXPECT_EQ(ErrorOf("legend\n# 1\nend\nsprite a 2 2\n##\n#\n"),
              "art.txt:6: row of 1 characters, expected 2");
    EXPECT_EQ(ErrorOf("legend\n# 1\nend\nsprite a 2 2\n##\n"),
              "art.txt:5: picture 'a' has too few rows");
    EXPECT_EQ(ErrorOf("legend\n# 1\nend\nsprite a 1 1\n?\n"),
              "art.txt:5: character '?' is not in the legend");
    EXPECT_EQ(ErrorOf("legend\n# 300\nend\n"), "art.txt:2: legend value must be 0..254 or 'none'");
    EXPECT_EQ(ErrorOf("legend\n# 1\n"), "art.txt:2: legend without 'end'");
    EXPECT_EQ(ErrorOf("sprite a 0 3\n"), "art.txt:1: bad picture size");
    EXPECT_EQ(ErrorOf("legend\n# 1\nend\nsprite a 1 1\n#\nsprite a 1 1\n#\n"),
              "art.txt:6: picture 'a' defined twice");
    EXPECT_EQ(ErrorOf("hello\n"), "art.txt:1: expected 'legend', 'sprite' or a comment");
    EXPECT_THROW(zvtools::ReadPixelArt("/nonexistent/art.txt"), std::runtime_error);
}

TEST(PixelArt, TheGlyphSourceHoldsEveryPrintableCharacter) {
    const auto art =
        zvtools::ReadPixelArt(std::string(ZV_SOURCE_DIR) + "/assets/pictures/font.txt");
    for (int c = 32; c < 112; ++c) {
        const auto* g = art.Find(std::string(1, static_cast<char>(c)));
        ASSERT_NE(g, nullptr) << c;
        EXPECT_EQ(g->W, 5);
        EXPECT_EQ(g->H, 7);
        // The large font's own pictures; the space has none.
        const auto* large = art.Find("large-" + std::string(1, static_cast<char>(c)));
        if (c == ' ') {
            EXPECT_EQ(large, nullptr);
            continue;
        }
        ASSERT_NE(large, nullptr) << c;
        EXPECT_EQ(large->W, 7);
        EXPECT_EQ(large->H, 7);
    }
}

}  // namespace
