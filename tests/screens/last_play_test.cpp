// The "LAST PLAY" values of a made-up statistics block: each guarded value hides on its own.
#include <gtest/gtest.h>

#include "screens/title.h"
#include "world/state.h"

TEST(LastPlayValues, EachGuardHidesOnlyItsOwnValue) {
    const struct {
        int32_t playFrames, scratchFrames, spawns, shotDown, multiplierSum;
        const char *scratchShare, *shootDown, *average;
    } cases[] = {
        {0, 0, 5, 2, 3, "", " 40.00%", "m 1.50"},
        {10, 0, 0, 0, 0, "  0.00%", "", ""},
        {10, 5, 4, 0, 0, " 50.00%", "  0.00%", ""},
        {3, 1, 3, 2, 64, " 33.33%", " 66.67%", "m32.00"},
        {3600, 1200, 11, 11, 64, " 33.33%", "100.00%", "m 5.82"},
    };
    for (const auto& c : cases) {
        TPlayStats s;
        s.PlayFrames = c.playFrames;
        s.ScratchFrames = c.scratchFrames;
        s.SpawnCount = c.spawns;
        s.ShootDownCount = c.shotDown;
        s.MultiplierSum = c.multiplierSum;
        s.MaxMultiplier = 3;
        s.MaxScratches = 12;
        s.CoinCount = 7;
        const auto v = LastPlayValues(s, -40);
        SCOPED_TRACE(c.playFrames);
        EXPECT_EQ(v[0], "     -40 PTS.");
        EXPECT_EQ(v[3], c.scratchShare);
        EXPECT_EQ(v[4], "     12");
        EXPECT_EQ(v[5], c.shootDown);
        EXPECT_EQ(v[6], "m 3");
        EXPECT_EQ(v[7], c.average);
        EXPECT_EQ(v[8], "      7");
    }
}
