// The headless program from the outside: fades, function keys, screenshots, determinism and
// start-up errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/harness.h"
#include "krdxlib/bmpfile.h"

namespace {

using namespace e2e;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(HeadlessRun, FadesInTheFirstScreenAndWritesAScreenshot) {
    const std::string dir = FreshDataDir();
    const std::string shot = dir + "/s.bmp";
    RunResult r = RunVorin(dir, {"--frames", "20", "--seed", "1", "--screenshot", "10:" + shot});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(r.dump.size(), 20u);
    for (int t = 1; t <= 20; ++t) {
        const std::string& line = r.dump[t - 1];
        EXPECT_EQ(IntField(line, "tick"), t);
        EXPECT_EQ(IntField(line, "CurrentScreen"), 0);
        EXPECT_EQ(IntField(line, "FadeLevel"), t <= 8 ? 4 * t : 32) << "tick " << t;
        EXPECT_EQ(BoolField(line, "FadeInDone"), t >= 8) << "tick " << t;
        EXPECT_EQ(IntField(line, "FadeStep"), t < 8 ? 1 : 0) << "tick " << t;
        EXPECT_EQ(IntField(line, "UpdateCount"), t);
        EXPECT_EQ(IntField(line, "Interval"), 16);
    }
    EXPECT_TRUE(HasField(r.dump[0], "Settings"));
    EXPECT_EQ(IntField(r.dump[0], "ButtonA"), 9);
    EXPECT_EQ(IntField(r.dump[0], "AnchorKouten"), 16);
    EXPECT_FALSE(HasField(r.dump[1], "Settings"));

    const TBitmap bmp = LoadBitmapFile(shot);
    EXPECT_EQ(bmp.Width, 320);
    EXPECT_EQ(bmp.Height, 240);
    EXPECT_EQ(bmp.BitCount, 8);
    ASSERT_EQ(bmp.Colors.size(), 256u);
    // The screen is faded in: something on it is not black.
    int lit = 0;
    for (uint8_t i : bmp.Indices) {
        const TRGBQuad c = bmp.Colors[i];
        lit += (c.Red | c.Green | c.Blue) != 0;
    }
    EXPECT_GT(lit, 1000);
}

TEST(HeadlessRun, FunctionKeysAnswerOnTheMessageLine) {
    const std::string dir = FreshDataDir();
    RunResult r = RunVorin(dir, {"--frames", "12", "--seed", "1"},
                           "2 F8 down\n2 F8 up\n4 F8 down\n4 F8 up\n6 F6 down\n"
                           "8 1 down\n10 F3 down\n10 F3 up\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    auto at = [&](int tick) { return r.dump[tick - 1]; };
    EXPECT_EQ(StrField(at(1), "MessageText"), "");
    EXPECT_EQ(StrField(at(2), "MessageText"), "FRAME SKIP IS 1(30)");
    EXPECT_FALSE(BoolField(at(2), "SingleUpdate"));
    EXPECT_EQ(IntField(at(2), "MessageTicks"), 59);
    EXPECT_EQ(IntField(at(2), "UpdateCount"), 3) << "two updates in a frame-skip tick";
    EXPECT_EQ(IntField(at(3), "UpdateCount"), 5);
    EXPECT_EQ(StrField(at(4), "MessageText"), "FRAME SKIP IS 0(60)");
    EXPECT_TRUE(BoolField(at(4), "SingleUpdate"));
    EXPECT_EQ(IntField(at(4), "UpdateCount"), 6);
    EXPECT_EQ(StrField(at(6), "MessageText"), "PARTICLE IS OFF");
    EXPECT_FALSE(BoolField(at(6), "ParticlesOn"));
    EXPECT_EQ(StrField(at(8), "MessageText"), "INTERVAL IS 1 MILI-SEC.");
    EXPECT_EQ(IntField(at(8), "Interval"), 1);
    EXPECT_FALSE(BoolField(at(9), "Paused"));
    EXPECT_TRUE(BoolField(at(10), "Paused"));
    EXPECT_EQ(IntField(at(10), "UpdateCount"), IntField(at(9), "UpdateCount"));
    EXPECT_EQ(IntField(at(12), "UpdateCount"), IntField(at(9), "UpdateCount"));
    EXPECT_EQ(IntField(at(12), "MessageTicks"), 55);
}

TEST(HeadlessRun, HeldButtonsShowInTheDump) {
    const std::string dir = FreshDataDir();
    RunResult r = RunVorin(dir, {"--frames", "4"}, "2 Z down\n2 Left down\n4 Z up\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(RawField(r.dump[0], "CurButtons"), "[false,false,false,false,false,false,false]");
    EXPECT_EQ(RawField(r.dump[2], "CurButtons"), "[false,false,true,false,true,false,false]");
    EXPECT_EQ(RawField(r.dump[3], "CurButtons"), "[false,false,true,false,false,false,false]");
}

TEST(HeadlessRun, SameSeedAndInputGiveTheSameDumpAndPictures) {
    const std::string script = "3 Z down\n5 Z up\n7 F6 down\n";
    std::string dumps[2], shots[2];
    for (int i = 0; i < 2; ++i) {
        const std::string dir = FreshDataDir();
        RunResult r = RunVorin(dir, {"--frames", "30", "--seed", "42", "--screenshot",
                                     "25:" + dir + "/s.bmp"},
                               script);
        ASSERT_EQ(r.status, 0) << r.errors;
        for (const auto& l : r.dump) dumps[i] += l + "\n";
        shots[i] = Slurp(dir + "/s.bmp");
    }
    EXPECT_EQ(dumps[0], dumps[1]);
    EXPECT_FALSE(shots[0].empty());
    EXPECT_EQ(shots[0], shots[1]);
}

TEST(HeadlessRun, AMissingPictureStopsStartUpNamingTheFile) {
    const std::string dir = FreshDataDir();
    std::filesystem::remove(dir + "/font.bmp");
    RunResult r = RunVorin(dir, {"--frames", "5"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.errors.find("font.bmp"), std::string::npos) << r.errors;
}

TEST(HeadlessRun, ABrokenPictureIsReportedNotCrashedOn) {
    const std::string dir = FreshDataDir();
    {
        std::ofstream f(dir + "/player.bmp", std::ios::binary | std::ios::trunc);
        f << "BM this is not a bitmap";
    }
    RunResult r = RunVorin(dir, {"--frames", "5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("player.bmp"), std::string::npos) << r.errors;
}

}  // namespace
