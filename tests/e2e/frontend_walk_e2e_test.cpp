// From start-up through the menus and the character select into stage 1 and back to the
// title with Shift+F2, with a screenshot of every screen on the way.
#include <gtest/gtest.h>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"

namespace {

using namespace e2e;

TEST(FrontEndWalk, TitleMenusCharacterSelectIntoStageOneAndBack) {
    const std::string dir = FreshDataDir();
    Keys k(10);
    const int64_t anyButton = k.Tap("C");
    const int64_t arcade = k.Tap("Z");
    const int64_t normal = k.Tap("Down");
    const int64_t toHells = k.Tap("X");
    const int64_t density2 = k.Taps("Right", 2);
    const int64_t speedLine = k.Tap("Down");
    k.Tap("Right");
    k.Tap("Down");
    const int64_t shootBackEnd = k.Taps("Right", 5);
    k.Tap("Down");
    const int64_t okay = k.Tap("Z");
    const int64_t selectEntered = okay + FadeOutTicks;
    k.At(selectEntered + 3);
    const int64_t down = k.Tap("Down");
    k.At(down + 25);
    const int64_t decide = k.Tap("Z");
    const int64_t lateUp = k.Tap("Up");
    k.Tap("Z");
    const int64_t fadeToGame = decide + 59;
    const int64_t gameEntered = fadeToGame + FadeOutTicks;
    k.At(gameEntered + 10);
    const int64_t shiftF2 = k.Next();
    k.Down("Shift");
    k.Tap("F2");
    k.Up("Shift");
    const int64_t frames = shiftF2 + 12;

    const std::string title = dir + "/walk-title.bmp", menu = dir + "/walk-menu.bmp",
                      hells = dir + "/walk-hells.bmp", sliding = dir + "/walk-select-slide.bmp",
                      chosen = dir + "/walk-select.bmp", decided = dir + "/walk-decided.bmp";
    RunResult r = RunVorin(dir,
                           {"--frames", std::to_string(frames), "--seed", "7", "--screenshot",
                            "9:" + title, "--screenshot", std::to_string(arcade - 1) + ":" + menu,
                            "--screenshot", std::to_string(okay - 1) + ":" + hells, "--screenshot",
                            std::to_string(down) + ":" + sliding, "--screenshot",
                            std::to_string(decide - 1) + ":" + chosen, "--screenshot",
                            std::to_string(decide + 5) + ":" + decided},
                           k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(r.dump.size(), static_cast<size_t>(frames));

    // Start-up: page 0, the program-start settings, the locked entries.
    const std::string& first = AtTick(r, 1);
    EXPECT_EQ(IntField(first, "TitlePage"), 0);
    EXPECT_EQ(RawField(first, "MenuItemLocked"), "[0,0,1,1,1,0,0]");
    EXPECT_EQ(RawField(first, "ClassSettings"), "[1,1,1,1]");
    EXPECT_EQ(IntField(first, "HellDensity"), 0);

    EXPECT_EQ(IntField(AtTick(r, anyButton - 1), "TitlePage"), 0);
    EXPECT_EQ(IntField(AtTick(r, anyButton), "TitlePage"), 1) << "C confirms too";
    EXPECT_EQ(IntField(AtTick(r, arcade), "TitlePage"), 3);
    EXPECT_EQ(IntField(AtTick(r, arcade), "GameMode"), 0);
    EXPECT_EQ(IntField(AtTick(r, normal), "DifficultyCursor"), 1);
    EXPECT_EQ(RawField(AtTick(r, normal), "ClassSettings"), "[1,1,1,1]")
        << "moving the cursor does not set the classes";
    EXPECT_EQ(IntField(AtTick(r, toHells), "TitlePage"), 4);
    EXPECT_EQ(RawField(AtTick(r, toHells), "ClassSettings"), "[1,1,0,1]") << "NORMAL";
    EXPECT_EQ(IntField(AtTick(r, density2), "HellDensity"), 2);
    EXPECT_EQ(IntField(AtTick(r, speedLine), "HellCursor"), 1);
    EXPECT_EQ(IntField(AtTick(r, shootBackEnd), "HellSpeed"), 1);
    EXPECT_EQ(IntField(AtTick(r, shootBackEnd), "ShootBackType"), 3) << "stops at TYPE-I";
    EXPECT_EQ(IntField(AtTick(r, okay), "FadeStep"), -1);
    EXPECT_EQ(IntField(AtTick(r, okay), "NextScreen"), 1);
    EXPECT_EQ(IntField(AtTick(r, okay + 1), "HellCursor"), 3);

    // Character select.
    EXPECT_EQ(IntField(AtTick(r, selectEntered - 1), "CurrentScreen"), 0);
    const std::string& entered = AtTick(r, selectEntered);
    EXPECT_EQ(IntField(entered, "CurrentScreen"), 1);
    EXPECT_EQ(IntField(entered, "Character"), 0);
    EXPECT_EQ(IntField(entered, "SelectSlide"), 0);
    EXPECT_FALSE(BoolField(entered, "SelectDecided"));
    EXPECT_EQ(RawField(entered, "PanelValues"), "[0,1,10,3,4,13]");
    EXPECT_EQ(IntField(AtTick(r, down), "Character"), 1);
    EXPECT_EQ(IntField(AtTick(r, down), "SelectSlide"), 19);
    EXPECT_EQ(RawField(AtTick(r, down), "PanelValues"), "[0,8,2,12,7,5]");
    EXPECT_EQ(IntField(AtTick(r, down + 19), "SelectSlide"), 0);
    EXPECT_TRUE(BoolField(AtTick(r, decide), "SelectDecided"));
    EXPECT_EQ(IntField(AtTick(r, decide), "SelectCountdown"), 1);
    EXPECT_EQ(IntField(AtTick(r, lateUp), "Character"), 1) << "no change after deciding";
    EXPECT_EQ(IntField(AtTick(r, fadeToGame - 1), "FadeStep"), 0);
    EXPECT_EQ(IntField(AtTick(r, fadeToGame), "SelectCountdown"), 60);
    EXPECT_EQ(IntField(AtTick(r, fadeToGame), "FadeStep"), -1);
    EXPECT_EQ(IntField(AtTick(r, fadeToGame), "NextScreen"), 2);

    // Sounds and songs: "select" on cursor moves, "decide" on confirmations, none for page 0
    // or the hell values; song 1 with the character select.
    EXPECT_EQ(SoundsAt(r, anyButton), "[]");
    EXPECT_EQ(SoundsAt(r, arcade), "[5]");
    EXPECT_EQ(SoundsAt(r, normal), "[4]");
    EXPECT_EQ(SoundsAt(r, toHells), "[5]");
    EXPECT_EQ(SoundsAt(r, density2), "[]") << "a hell value changes silently";
    EXPECT_EQ(SoundsAt(r, shootBackEnd), "[]");
    EXPECT_EQ(SoundsAt(r, okay), "[5]");
    EXPECT_EQ(IntField(entered, "Song"), 1);
    EXPECT_EQ(SoundsAt(r, down), "[4]");
    EXPECT_EQ(SoundsAt(r, decide), "[5]");
    EXPECT_EQ(SoundsAt(r, lateUp), "[]");

    // Stage 1, then Shift+F2 back to the title with the cursors where they were.
    EXPECT_EQ(IntField(AtTick(r, gameEntered), "CurrentScreen"), 2);
    EXPECT_EQ(IntField(AtTick(r, gameEntered), "StageNo"), 1);
    const std::string& back = AtTick(r, shiftF2);
    EXPECT_EQ(IntField(back, "CurrentScreen"), 0);
    EXPECT_EQ(IntField(back, "TitlePage"), 0);
    EXPECT_EQ(IntField(back, "DifficultyCursor"), 1);
    EXPECT_EQ(IntField(back, "HellCursor"), 3);
    EXPECT_EQ(IntField(back, "ShootBackType"), 3);

    // The pictures: the logo on the title and the main menu but not on the hells page, the
    // portrait off screen at the start of its slide and in place after it.
    const Pictures pics(dir);
    const Shot titleShot(title), menuShot(menu), hellsShot(hells);
    EXPECT_GT(pics.LogoShare(titleShot), 0.95);
    EXPECT_GT(pics.LogoShare(menuShot), 0.95);
    EXPECT_LT(pics.LogoShare(hellsShot), 0.5);
    EXPECT_GT(pics.BackgroundShare(titleShot, {0, 0, 320, 20}), 0.99);
    EXPECT_GT(pics.PortraitShare(Shot(chosen), 1), 0.99);
    EXPECT_LT(pics.PortraitShare(Shot(sliding), 1), 0.5);
    EXPECT_GT(pics.PortraitShare(Shot(decided), 1), 0.99) << "the banner lies lower";
}

}  // namespace
