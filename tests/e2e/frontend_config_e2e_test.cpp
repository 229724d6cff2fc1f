// The configuration screen from the outside: every page, the limits, the mapping round
// trip, the saved file byte for byte, and that the next start reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"

namespace {

using namespace e2e;

// From start-up to the configuration screen; returns the first tick it takes input.
int64_t ToConfig(Keys& k) {
    k.Tap("Z");
    k.Taps("Down", 6);
    const int64_t leave = k.Tap("Z");
    k.At(leave + FadeOutTicks + FadeInTicks);
    return k.Next();
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(FrontEndConfig, EditsEveryPageSavesAndTheNextStartReadsIt) {
    const std::string dir = FreshDataDir();
    Keys k(10);
    const int64_t ready = ToConfig(k);
    const int64_t interval = k.Tap("Z");
    k.Taps("Down", 5);
    const int64_t player = k.Tap("Z");
    const int64_t upFromOne = k.Tap("Up");
    const int64_t kouten128 = k.Taps("Right", 3);
    const int64_t koutenKept = k.Tap("Right");
    k.Tap("Down");
    const int64_t jiten1 = k.Taps("Left", 5);
    const int64_t jitenKept = k.Tap("Left");
    const int64_t skipDown = k.Tap("Down");
    const int64_t skipUp = k.Tap("Up");
    k.Tap("Down");
    const int64_t off8 = k.Taps("Right", 5);
    const int64_t offKept = k.Tap("Right");
    k.Tap("Down");
    const int64_t manualKept = k.Taps("Left", 2);
    k.Taps("Down", 3);
    const int64_t playerOkay = k.Tap("X");
    k.Tap("Down");
    const int64_t mapping = k.Tap("Z");
    const int64_t button1 = k.Taps("Left", 2);
    k.Taps("Down", 4);
    const int64_t notUseLeft = k.Tap("Left");
    k.Tap("Right");
    const int64_t shotA = k.Tap("Right");
    k.Taps("Down", 4);
    const int64_t mappingOkay = k.Tap("C");
    k.Tap("Down");
    const int64_t save = k.Tap("Z");
    k.Tap("Down");
    const int64_t exit = k.Tap("Z");
    const int64_t titleEntered = exit + FadeOutTicks;
    const std::string page0 = dir + "/config-main.bmp", page2 = dir + "/config-player.bmp",
                      page1 = dir + "/config-mapping.bmp";
    RunResult r = RunVorin(dir,
                           {"--frames", std::to_string(titleEntered + 2), "--screenshot",
                            std::to_string(ready) + ":" + page0, "--screenshot",
                            std::to_string(player + 1) + ":" + page2, "--screenshot",
                            std::to_string(mapping + 1) + ":" + page1},
                           k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;

    EXPECT_EQ(IntField(AtTick(r, ready - 1), "CurrentScreen"), 4);
    EXPECT_EQ(IntField(AtTick(r, ready), "ConfigPage"), 0);
    EXPECT_EQ(IntField(AtTick(r, interval), "ConfigPage"), 0) << "confirm on INTERVAL";
    EXPECT_EQ(IntField(AtTick(r, interval), "ConfigCursor"), 0);
    EXPECT_EQ(IntField(AtTick(r, player), "ConfigPage"), 2);
    EXPECT_EQ(IntField(AtTick(r, player), "ConfigCursor"), 1);
    EXPECT_EQ(IntField(AtTick(r, upFromOne), "ConfigCursor"), 1);
    EXPECT_EQ(IntField(AtTick(r, kouten128), "AnchorKouten"), 128);
    EXPECT_EQ(IntField(AtTick(r, koutenKept), "AnchorKouten"), 128);
    EXPECT_EQ(IntField(AtTick(r, jiten1), "AnchorJiten"), 1);
    EXPECT_EQ(IntField(AtTick(r, jitenKept), "AnchorJiten"), 1);
    EXPECT_EQ(IntField(AtTick(r, skipDown), "ConfigCursor"), 4) << "line 3 is skipped";
    EXPECT_EQ(IntField(AtTick(r, skipUp), "ConfigCursor"), 2);
    EXPECT_EQ(IntField(AtTick(r, off8), "SpeedOff"), 8);
    EXPECT_EQ(IntField(AtTick(r, offKept), "SpeedOff"), 8);
    EXPECT_EQ(IntField(AtTick(r, manualKept), "SpeedManual"), 1);
    EXPECT_EQ(IntField(AtTick(r, playerOkay), "ConfigPage"), 0);
    EXPECT_EQ(IntField(AtTick(r, playerOkay), "ConfigCursor"), 5);
    EXPECT_EQ(IntField(AtTick(r, mapping), "ConfigPage"), 1);
    EXPECT_EQ(RawField(AtTick(r, mapping), "ButtonAssign"), "[1,2,3,4,0,0,0,0]");
    EXPECT_EQ(RawField(AtTick(r, button1), "ButtonAssign"), "[4,2,3,4,0,0,0,0]");
    EXPECT_EQ(RawField(AtTick(r, notUseLeft), "ButtonAssign"), "[4,2,3,4,4,0,0,0]");
    EXPECT_EQ(RawField(AtTick(r, shotA), "ButtonAssign"), "[4,2,3,4,1,0,0,0]");
    EXPECT_EQ(IntField(AtTick(r, mappingOkay - 1), "ButtonA"), 9) << "masks change on OKAY";
    const std::string& mapped = AtTick(r, mappingOkay);
    EXPECT_EQ(IntField(mapped, "ConfigPage"), 0);
    EXPECT_EQ(IntField(mapped, "ConfigCursor"), 6);
    EXPECT_EQ(IntField(mapped, "ButtonA"), 1 + 8 + 16);
    EXPECT_EQ(IntField(mapped, "ButtonB"), 1 + 2 + 8);
    EXPECT_EQ(IntField(mapped, "ButtonC"), 4);
    EXPECT_EQ(StrField(AtTick(r, save), "MessageText"), "CONFIG SAVED.");
    EXPECT_EQ(IntField(AtTick(r, exit), "NextScreen"), 0);
    EXPECT_EQ(IntField(AtTick(r, titleEntered), "CurrentScreen"), 0);
    EXPECT_EQ(IntField(AtTick(r, titleEntered), "MenuCursor"), 6) << "the menu reopens there";

    for (int64_t t = ready; t <= exit; ++t) EXPECT_EQ(SoundsAt(r, t), "[]") << "tick " << t;

    EXPECT_EQ(Slurp(dir + "/zvconfig.ini"),
              "[Input]\nButtonA=25\nButtonB=11\nButtonC=4\nAnchorJiten=1\nAnchorKouten=128\n"
              "SpeedOff=8\nSpeedManual=1\nSpeedAuto=3\nSpeedcharge=1\n");

    RunResult again = RunVorin(dir, {"--frames", "1"});
    ASSERT_EQ(again.status, 0) << again.errors;
    EXPECT_EQ(RawField(again.dump.at(0), "Settings"),
              "{\"ButtonA\":25,\"ButtonB\":11,\"ButtonC\":4,\"SpeedOff\":8,\"SpeedManual\":1,"
              "\"SpeedAuto\":3,\"SpeedCharge\":1,\"AnchorJiten\":1,\"AnchorKouten\":128}");

    // The three pages look different from one another over the same background.
    const Pictures pics(dir);
    const Shot s0(page0), s1(page1), s2(page2);
    for (const Shot* s : {&s0, &s1, &s2})
        EXPECT_GT(pics.BackgroundShare(*s, {0, 215, 320, 240}), 0.99);
    int differ01 = 0, differ02 = 0;
    for (int y = 30; y < 190; ++y)
        for (int x = 30; x < 300; ++x) {
            differ01 += s0.Bmp.At(x, y) != s1.Bmp.At(x, y);
            differ02 += s0.Bmp.At(x, y) != s2.Bmp.At(x, y);
        }
    EXPECT_GT(differ01, 500);
    EXPECT_GT(differ02, 500);
}

TEST(FrontEndConfig, ASaveThatCannotBeWrittenSaysSoAndKeepsTheSettings) {
    const std::string dir = FreshDataDir();
    std::filesystem::create_directory(dir + "/zvconfig.ini");
    Keys k(10);
    ToConfig(k);
    k.Taps("Down", 5);
    k.Tap("Z");
    const int64_t right = k.Tap("Right");
    k.Taps("Down", 7);
    k.Tap("Z");
    k.Taps("Down", 2);
    const int64_t save = k.Tap("Z");
    RunResult r = RunVorin(dir, {"--frames", std::to_string(save + 1)}, k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(IntField(AtTick(r, right), "AnchorKouten"), 32);
    EXPECT_EQ(StrField(AtTick(r, save), "MessageText"), "CONFIG SAVE FAILURE.");
    EXPECT_EQ(IntField(AtTick(r, save), "MessageTicks"), 59);
    EXPECT_EQ(IntField(AtTick(r, save), "AnchorKouten"), 32);
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/zvconfig.ini"));
}

}  // namespace
