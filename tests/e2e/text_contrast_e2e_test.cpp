// Every text the game places reads on the pictures behind it, on screenshots of the running
// game: on each front-end screen and on each stage, the background in each character cell of
// a text keeps a contrast of at least 3:1 to the text's fill for all but a few pixels, and the
// text's box stays calm (no lines or crests running through). The stage backgrounds at every
// scroll position are swept in text_contrast_sweep_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/frontend_keys.h"
#include "e2e/text_contrast.h"

namespace {

using namespace e2e;

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

// Numbered lines: `count` texts of `chars` characters from (x, y), each (dx, dy) further on.
std::vector<TextLine> Lines(const std::string& name, int count, int32_t x, int32_t y, int32_t dx,
                            int32_t dy, int32_t chars, bool large = true) {
    std::vector<TextLine> l;
    for (int i = 0; i < count; ++i)
        l.push_back({name + " " + std::to_string(i + 1), x + dx * i, y + dy * i, chars, large});
    return l;
}

std::vector<TextLine> operator+(std::vector<TextLine> a, const std::vector<TextLine>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The front end in three walks: the title with its last-play page (Left held), the main menu
// and the configuration (the message line from the particle key, "PAUSE" from the pause key); the
// difficulty page, the hells page and the character select with its weapon list; the ranking.
TEST(TextContrast, FrontEndScreens) {
    const std::string dir = FreshDataDir();
    std::vector<std::string> args;
    const std::string title = Shot(dir, "title", 9, args);
    const std::string lastPlay = Shot(dir, "lastplay", 14, args);
    Keys k(20);
    const int64_t toMenu = k.Tap("Z");
    const std::string menu = Shot(dir, "menu", toMenu + 4, args);
    k.Taps("Down", 6);
    const int64_t toConfig = k.Tap("Z");
    k.At(toConfig + FadeOutTicks + FadeInTicks);
    k.Tap("F6");
    k.Tap("F3");
    const std::string config = Shot(dir, "config", k.Next() + 2, args);
    args.insert(args.end(), {"--frames", std::to_string(k.Next() + 3)});
    RunResult r = RunVorin(dir, args, "12 Left down\n15 Left up\n" + k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({title}, {{"PRESS ANY BUTTON", 80, 180, 16},
                    {"credit", 70, 220, 22},
                    {"version", 240, 155, 11, false}});
    Check({lastPlay}, std::vector<TextLine>{{"LAST PLAY", 130, 10, 9},
                                            {"SCORE", 10, 40, 5},
                                            {"TIME ELAPSED", 10, 70, 12},
                                            {"TIME SCRATCHING", 10, 90, 15},
                                            {"SCRATCH %", 10, 110, 9},
                                            {"MAX SCRATCHES", 10, 130, 13},
                                            {"SHOOT DOWN", 10, 160, 10},
                                            {"MAX MULTIPLIER", 10, 180, 14},
                                            {"AVERAGE", 10, 200, 7},
                                            {"COINS", 10, 220, 5}});
    Check({menu},
          std::vector<TextLine>{{"MAIN MENU", 10, 190, 9}, {"version", 240, 155, 11, false}} +
              Lines("menu entry", 7, 130, 160, 5, 10, 13));
    Check({config},
          std::vector<TextLine>{
              {"GAME CONFIGURATION", 70, 0, 18}, Message, {"PAUSE", 145, 120, 5, false}} +
              Lines("config line", 9, 30, 30, 0, 20, 18));

    args.clear();
    Keys w(10);
    w.Tap("C");
    w.Tap("Z");
    const std::string difficulty = Shot(dir, "difficulty", w.Taps("Down", 6) + 2, args);
    w.Taps("Up", 5);
    const std::string hells = Shot(dir, "hells", w.Tap("X") + 2, args);
    w.Taps("Down", 3);
    const int64_t okay = w.Tap("Z");
    const std::string select = Shot(dir, "select", okay + FadeOutTicks + 20, args);
    args.insert(args.end(), {"--frames", std::to_string(okay + 40)});
    r = RunVorin(dir, args, w.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({difficulty}, std::vector<TextLine>{{"DIFFICULTY", 10, 190, 10}} +
                            Lines("difficulty", 7, 130, 160, 5, 10, 10));
    Check({hells}, std::vector<TextLine>{{"WHAT HELLS DO YOU WANT TO FALL?", 0, 24, 31}} +
                       Lines("hell", 4, 70, 64, 0, 30, 12) +
                       Lines("hell values", 3, 70, 81, 0, 30, 32, false));
    Check({select}, {{"CHARACTER SELECT", 80, 0, 16},
                     {"character's name", 0, 220, 11},
                     {"MAIN SHOT", 3, 110, 9, false},
                     {"WIDE SHOT", 20, 120, 10, false},
                     {"GROUND MISSILE", 20, 140, 15, false},
                     {"LASER", 20, 160, 6, false},
                     {"ANCHOR WEAPON", 3, 180, 13, false},
                     {"NO POWER-UP", 20, 190, 11, false}});

    args.clear();
    Keys rk(10);
    rk.Tap("Z");
    rk.Taps("Down", 5);
    const int64_t toRanking = rk.Tap("Z");
    const std::string ranking = Shot(dir, "ranking", toRanking + FadeOutTicks + 12, args);
    args.insert(args.end(), {"--frames", std::to_string(toRanking + 30)});
    r = RunVorin(dir, args, rk.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    Check({ranking}, std::vector<TextLine>{{"BEST ZELVORIN", 90, 2, 13},
                                           {"- ARCADE -", 110, 22, 10},
                                           {"RANK    SCORE", 70, 52, 13}} +
                         Lines("rank", 5, 70, 82, 0, 30, 13));
}

// A stage from shortly before its boss, the ship invulnerable and held to the right, clear of
// every text: once at the top of the screen and once at the bottom (the strips follow its
// height), while the warning shows; the particle key shows the message line, and at last the
// game pauses. Every text the stage places is measured on every shot; the place of "MISSION
// COMPLETED" against the fill of the score, drawn in the same font and style.
class StageTextContrast : public ::testing::TestWithParam<int> {};

TEST_P(StageTextContrast, EveryTextReads) {
    const int stage = GetParam();
    const std::string dir = FreshDataDir();
    const int64_t high = 80, low = 175, paused = 178;  // the warning shows from tick 1 to 179
    const std::string script = "1 Right down\n1 Up down\n30 F6 down\n31 F6 up\n" +
                               std::to_string(high) + " Up up\n" + std::to_string(high + 1) +
                               " Down down\n120 F6 down\n121 F6 up\n176 F3 down\n177 F3 up\n";
    std::vector<std::string> args{
        "--stage",  std::to_string(stage),     "--at-boss", "--invulnerable", "--seed", "1",
        "--frames", std::to_string(paused + 1)};
    // "WARNING!" takes another style each tick: four ticks show them all.
    std::vector<std::string> files;
    for (int i = 0; i < 4; ++i)
        files.push_back(Shot(dir, "high" + std::to_string(i), high + i, args));
    files.push_back(Shot(dir, "low", low, args));
    files.push_back(Shot(dir, "paused", paused, args));
    RunResult r = RunVorin(dir, args, script);
    ASSERT_EQ(r.status, 0) << r.errors;
    for (int64_t t : {high, low}) ASSERT_EQ(IntField(AtTick(r, t), "StagePhase"), 1) << t;
    EXPECT_GT(IntField(RawField(AtTick(r, low), "Ship"), "y"),
              IntField(RawField(AtTick(r, high), "Ship"), "y") + 100)
        << "the ship did not move from top to bottom";
    std::vector<TextLine> lines;
    const TextLine* score = nullptr;
    std::vector<StageText> texts = StageTexts(stage);
    for (const StageText& t : texts)
        if (t.Line.Name != "MISSION COMPLETED") lines.push_back(t.Line);
    for (const StageText& t : texts)
        if (t.Line.Name == "00000000") score = &t.Line;
    Check(files, lines);
    Check(files, {{"MISSION COMPLETED", 70, 110, 17}}, score);
}

INSTANTIATE_TEST_SUITE_P(Stages, StageTextContrast, ::testing::Values(1, 2, 5));

}  // namespace
