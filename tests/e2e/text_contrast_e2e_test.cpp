// Every text the game places reads on the pictures behind it: on each front-end screen and
// on each stage, the background in each character cell of a text keeps a contrast of at
// least 3:1 to the text's fill for all but a few pixels, and the text's box stays calm (no
// lines or crests running through).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/frontend_keys.h"
#include "e2e/text_contrast.h"

namespace {

using namespace e2e;

constexpr double MinContrast = 3.0;  // each cell's 5th percentile of the background
constexpr double MaxSpread = 0.05;   // luminance's standard deviation in the box

// Checks each line on a set of screenshots of one screen. A text's fill is its lightest over
// the set ("WARNING!" flashes through four colours). With `fill`, the lines are not on screen
// yet and are measured against that line's fill (they must find a clean place when they come).
void Check(const std::vector<std::string>& files, const std::vector<TextLine>& lines,
           const TextLine* fill = nullptr) {
    std::vector<TBitmap> shots;
    for (const std::string& f : files) {
        shots.push_back(LoadBitmapFile(f));
        ASSERT_EQ(shots.back().Colors.size(), 256u) << f;
    }
    for (const TextLine& l : lines) {
        double text = -1;
        for (const TBitmap& shot : shots)
            text = std::max(text, TextLuminance(shot, fill ? fill->Box() : l.Box()));
        ASSERT_GT(text, 0) << l.Name << ": no text drawn";
        for (size_t i = 0; i < shots.size(); ++i) {
            const Legibility m = Measure(shots[i], l.Box(), text, l.Large ? 10 : 6);
            std::printf("  %-20s %-28s contrast %5.2f  spread %.3f\n",
                        files[i].substr(files[i].rfind('/') + 1).c_str(), l.Name.c_str(), m.Low,
                        m.Spread);
            EXPECT_GT(m.Background, l.Chars * 10) << l.Name << " on " << files[i];
            EXPECT_GE(m.Low, MinContrast) << l.Name << " on " << files[i];
            EXPECT_LE(m.Spread, MaxSpread) << l.Name << " on " << files[i];
        }
    }
}

std::string Shot(const std::string& dir, const std::string& name, int64_t tick,
                 std::vector<std::string>& args) {
    const std::string file = dir + "/" + name + ".bmp";
    args.insert(args.end(), {"--screenshot", std::to_string(tick) + ":" + file});
    return file;
}

// The message line, shown by the particle key on any screen.
const TextLine Message{"message line", 0, 220, 15, false};

TEST(TextContrast, FrontEndHeadingsAndBottomLines) {
    const std::string dir = FreshDataDir();
    std::vector<std::string> args;
    Keys k(10);
    const std::string title = Shot(dir, "title", 9, args);
    k.Tap("Z");
    k.Taps("Down", 6);
    const int64_t toConfig = k.Tap("Z");
    k.At(toConfig + FadeOutTicks + FadeInTicks);
    k.Tap("F6");
    const std::string config = Shot(dir, "config", k.Next() + 2, args);
    args.insert(args.end(), {"--frames", std::to_string(k.Next() + 3)});
    RunResult r = RunVorin(dir, args, k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({title}, {{"PRESS ANY BUTTON", 80, 180, 16},
                    {"credit", 70, 220, 22},
                    {"version", 240, 155, 11, false}});
    Check({config}, {{"GAME CONFIGURATION", 70, 0, 18}, Message});
}

TEST(TextContrast, RankingAndCharacterSelectHeadings) {
    const std::string dir = FreshDataDir();
    std::vector<std::string> args;
    Keys k(10);
    k.Tap("Z");
    k.Taps("Down", 5);
    const int64_t toRanking = k.Tap("Z");
    const std::string ranking = Shot(dir, "ranking", toRanking + FadeOutTicks + 12, args);
    RunResult r =
        RunVorin(dir, {args[0], args[1], "--frames", std::to_string(toRanking + 30)}, k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({ranking}, {{"BEST ZELVORIN", 90, 2, 13}, {"- ARCADE -", 110, 22, 10}});

    Keys s(10);
    s.Tap("C");
    s.Tap("Z");
    s.Tap("Down");
    s.Tap("X");
    s.Taps("Down", 3);
    const int64_t okay = s.Tap("Z");
    std::vector<std::string> selectArgs;
    const std::string select = Shot(dir, "select", okay + FadeOutTicks + 20, selectArgs);
    selectArgs.insert(selectArgs.end(), {"--frames", std::to_string(okay + 40)});
    r = RunVorin(dir, selectArgs, s.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({select}, {{"CHARACTER SELECT", 80, 0, 16}, {"character's name", 0, 220, 11}});
}

// A stage from shortly before its boss, the ship invulnerable and held to the left, clear of
// the texts: once at the top of the screen and once at the bottom (the sea and the strips
// follow its height), both while the warning shows. The place of "MISSION COMPLETED" is
// measured against the fill of the score, drawn in the same font and style.
void CheckStage(int stage, const std::vector<TextLine>& lines, bool clearPlace = false) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const std::string dir = FreshDataDir();
    const int64_t high = 80, low = 175;  // the warning shows from tick 1 to 179
    const std::string script = "1 Left down\n1 Up down\n" + std::to_string(high) + " Up up\n" +
                               std::to_string(high + 1) + " Down down\n";
    std::vector<std::string> args{
        "--stage",  std::to_string(stage),  "--at-boss", "--invulnerable", "--seed", "1",
        "--frames", std::to_string(low + 1)};
    // "WARNING!" takes another style each tick: four ticks show them all.
    std::vector<std::string> files;
    for (int i = 0; i < 4; ++i)
        files.push_back(Shot(dir, "high" + std::to_string(i), high + i, args));
    files.push_back(Shot(dir, "low", low, args));
    RunResult r = RunVorin(dir, args, script);
    ASSERT_EQ(r.status, 0) << r.errors;
    for (int64_t t : {high, low}) ASSERT_EQ(IntField(AtTick(r, t), "StagePhase"), 1) << t;
    EXPECT_GT(IntField(RawField(AtTick(r, low), "Ship"), "y"),
              IntField(RawField(AtTick(r, high), "Ship"), "y") + 100)
        << "the ship did not move from top to bottom";
    Check(files, lines);
    const TextLine score{"score", 0, 0, 8};
    if (clearPlace) Check(files, {{"MISSION COMPLETED", 70, 110, 17}}, &score);
}

const TextLine Warning{"WARNING!", 120, 80, 8};

TEST(TextContrast, StageOneWarning) {
    CheckStage(1, {Warning,
                   {"boss line 1", 79, 140, 10, false},
                   {"boss line 2", 73, 150, 25, false},
                   {"boss line 3", 73, 160, 17, false}});
}

TEST(TextContrast, StageTwoWarningAndClear) {
    CheckStage(2,
               {Warning, {"boss line 1", 79, 140, 22, false}, {"boss line 2", 73, 150, 28, false}},
               true);
}

TEST(TextContrast, StageFiveStatusRow) {
    CheckStage(5, {{"counter", 45, 233, 6, false}, {"frame rate", 133, 233, 9, false}});
}

}  // namespace
