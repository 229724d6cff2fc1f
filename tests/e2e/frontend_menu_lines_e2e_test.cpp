// The title's menu lists on screen: entries 10 pixels apart in the large font, each on a line
// of its own. Every patch of connected text pixels must lie within one entry's line, so two
// neighbouring entries never touch and each reads on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"

namespace {

using namespace e2e;

// The lists: entry i's line starts at row 160 + 10i; the cursor line starts at x 110 + 5c.
constexpr int ListTop = 160, Pitch = 10, Entries = 7, ListLeft = 110;
// Text pixels: the font's palette range (nothing else on the title uses it).
constexpr int FontFirst = 48, FontLast = 79;

struct Box {
    int L, T, R, B;
    bool Holds(int x, int y) const { return x >= L && x < R && y >= T && y < B; }
};
// The version text, small, at (240, 155): six rows reaching into the first line's band.
constexpr Box VersionText{240, 155, 320, 162};

struct Page {
    const char* Name;
    int Heading;  // characters of the heading at (10, 190), left out like the version text
};

struct LineReport {
    std::vector<int> Ink;  // text pixels per line
    int Straddling = 0;    // patches of text that reach into two lines
    int FirstRow = -1, LastRow = -1;
};

// Patches of 8-connected text pixels in the list's area, each checked against the lines.
LineReport Lines(const TBitmap& shot, const Page& page) {
    const Box heading{10, 190, 10 + 10 * page.Heading, 206};
    auto text = [&](int x, int y) {
        if (x < ListLeft || x >= shot.Width || y < ListTop || y >= shot.Height) return false;
        if (VersionText.Holds(x, y) || heading.Holds(x, y)) return false;
        const int v = shot.At(x, y);
        return v >= FontFirst && v <= FontLast;
    };
    LineReport rep;
    rep.Ink.assign(Entries, 0);
    std::vector<char> seen(static_cast<size_t>(shot.Width) * shot.Height, 0);
    for (int y = ListTop; y < shot.Height; ++y)
        for (int x = ListLeft; x < shot.Width; ++x) {
            if (!text(x, y) || seen[static_cast<size_t>(y) * shot.Width + x]) continue;
            int top = y, bottom = y;
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[static_cast<size_t>(y) * shot.Width + x] = 1;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                top = std::min(top, py);
                bottom = std::max(bottom, py);
                const int line = (py - ListTop) / Pitch;
                if (line < Entries) ++rep.Ink[line];
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = px + dx, ny = py + dy;
                        if (!text(nx, ny) || seen[static_cast<size_t>(ny) * shot.Width + nx])
                            continue;
                        seen[static_cast<size_t>(ny) * shot.Width + nx] = 1;
                        stack.push_back({nx, ny});
                    }
            }
            if ((top - ListTop) / Pitch != (bottom - ListTop) / Pitch) ++rep.Straddling;
            if (rep.FirstRow < 0) rep.FirstRow = top;
            rep.LastRow = std::max(rep.LastRow, bottom);
        }
    return rep;
}

TEST(FrontEndMenuLines, MainMenuStageSelectAndDifficultyEntriesKeepApart) {
    const std::string dir = FreshDataDir();
    Keys k(10);
    k.Tap("Z");
    k.Tap("Down");
    const int64_t practice = k.Tap("Z");
    const int64_t stage1 = k.Tap("Z");
    const int64_t impossible = k.Taps("Down", 6);
    const Page menu{"main menu", 9}, stages{"stage select", 12}, difficulty{"difficulty", 10};
    const std::string menuShot = dir + "/menu.bmp", stagesShot = dir + "/stages.bmp",
                      difficultyShot = dir + "/difficulty.bmp";
    RunResult r = RunVorin(dir,
                           {"--frames", std::to_string(impossible + 1), "--screenshot",
                            std::to_string(practice - 1) + ":" + menuShot, "--screenshot",
                            std::to_string(stage1 - 1) + ":" + stagesShot, "--screenshot",
                            std::to_string(impossible) + ":" + difficultyShot},
                           k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(IntField(AtTick(r, practice - 1), "TitlePage"), 1);
    ASSERT_EQ(IntField(AtTick(r, stage1 - 1), "TitlePage"), 5);
    ASSERT_EQ(IntField(AtTick(r, impossible), "TitlePage"), 3);
    ASSERT_EQ(IntField(AtTick(r, impossible), "DifficultyCursor"), 5);

    for (const auto& [page, file] : {std::pair{menu, menuShot}, std::pair{stages, stagesShot},
                                     std::pair{difficulty, difficultyShot}}) {
        SCOPED_TRACE(page.Name);
        const LineReport rep = Lines(Shot(file).Bmp, page);
        EXPECT_EQ(rep.Straddling, 0) << "text of two neighbouring entries touches";
        for (int i = 0; i < Entries; ++i) EXPECT_GT(rep.Ink[i], 40) << "entry " << i;
        EXPECT_EQ(rep.FirstRow, ListTop);
        EXPECT_LT(rep.LastRow, ListTop + Pitch * Entries - 1)
            << "the last entry keeps its clear row too";
    }
}

}  // namespace
