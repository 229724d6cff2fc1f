// The ranking from the outside: the table read from zvscore.dat with its pictures, any
// button leaving, also during the fade-in.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"

namespace {

using namespace e2e;

void WriteScores(const std::string& path, const int32_t (&table)[5][2]) {
    char bytes[40];
    static_assert(sizeof table == sizeof bytes);
    std::memcpy(bytes, table, sizeof bytes);  // little-endian, as the file holds them
    std::ofstream(path, std::ios::binary).write(bytes, sizeof bytes);
}

TEST(FrontEndRanking, ShowsTheFileTableAndLeavesOnAnyButton) {
    const std::string dir = FreshDataDir();
    const int32_t table[5][2] = {{99999999, 2}, {5000, 2}, {400, 1}, {30, 0}, {2, 2}};
    WriteScores(dir + "/zvscore.dat", table);
    Keys k(10);
    k.Tap("Z");
    k.Taps("Down", 5);
    const int64_t toRanking = k.Tap("Z");
    const int64_t shown = toRanking + FadeOutTicks;
    k.At(shown + 12);
    const int64_t leave = k.Tap("X");
    const int64_t titleAgain = leave + FadeOutTicks;
    // Back on the title the menu cursor still points at RANKING.
    k.At(titleAgain + FadeInTicks);
    k.Tap("Z");
    const int64_t again = k.Tap("Z");
    const int64_t shownAgain = again + FadeOutTicks;
    k.At(shownAgain + 3);
    const int64_t early = k.Tap("C");
    const std::string shot = dir + "/ranking.bmp";
    RunResult r = RunVorin(dir,
                           {"--frames", std::to_string(early + 10), "--screenshot",
                            std::to_string(shown + 10) + ":" + shot},
                           k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;

    EXPECT_EQ(RawField(AtTick(r, 1), "ScoreTable"), "[[99999999,2],[5000,2],[400,1],[30,0],[2,2]]");
    EXPECT_EQ(IntField(AtTick(r, toRanking), "NextScreen"), 7);
    EXPECT_EQ(IntField(AtTick(r, shown), "CurrentScreen"), 7);
    EXPECT_EQ(SoundsAt(r, toRanking), "[5]");
    EXPECT_EQ(IntField(AtTick(r, shown), "Song"), -1) << "the ranking starts no music";
    EXPECT_EQ(SoundsAt(r, leave), "[]") << "leaving the ranking is silent";
    EXPECT_EQ(IntField(AtTick(r, leave), "FadeStep"), -1);
    EXPECT_EQ(IntField(AtTick(r, leave), "NextScreen"), 0);
    EXPECT_EQ(IntField(AtTick(r, titleAgain), "CurrentScreen"), 0);
    EXPECT_EQ(IntField(AtTick(r, titleAgain), "MenuCursor"), 5);
    EXPECT_EQ(IntField(AtTick(r, shownAgain), "CurrentScreen"), 7);
    EXPECT_EQ(IntField(AtTick(r, early - 1), "FadeLevel"), 8);
    EXPECT_EQ(IntField(AtTick(r, early), "FadeStep"), -1);
    EXPECT_EQ(IntField(AtTick(r, early), "FadeLevel"), 4);
    EXPECT_EQ(IntField(AtTick(r, early + 1), "CurrentScreen"), 0)
        << "a fade-out started during the fade-in still enters the title";

    const Pictures pics(dir);
    const Shot s(shot);
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(pics.PlayerShare(s, table[i][1], 200, 70 + 30 * i, 30), 0.99) << i;
    EXPECT_GT(pics.BackgroundShare(s, {0, 0, 60, 240}), 0.99);
}

}  // namespace
