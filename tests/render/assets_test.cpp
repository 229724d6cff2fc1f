// The restore handler on small pictures written for each test: sheets per screen, palette
// ranges, colour keys, ramps, the hit-flash halves and the bullet cells.
#include "render/assets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "base/paths.h"
#include "krdxlib/bmpwrite.h"
#include "render/display.h"
#include "shell/shell.h"
#include "world/state.h"

namespace {

namespace fs = std::filesystem;

// A colour table whose entry i of the picture `tag` is recognisable: (tag, i, 255 - i).
std::vector<TRGBQuad> Colours(int n, uint8_t tag) {
    std::vector<TRGBQuad> c(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        c[static_cast<size_t>(i)] = {tag, static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                     0};
    return c;
}

class AssetsTest : public ::testing::Test {
  protected:
    std::string dir;
    std::string savedDataDir;

    void SetUp() override {
        ResetShellState();
        ResetWorld();
        BulletCellsBuilt = false;
        dir = (fs::path(::testing::TempDir()) /
               ("zv_assets_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                  .string();
        fs::create_directories(dir);
        savedDataDir = DataDir;
        DataDir = dir + "/";
        // Defaults: every picture the game and the front end load, all index 1 with a key
        // of index 0 in the top-left corner.
        Write("player.bmp", 320, 360, 48, 1);
        Write("font.bmp", 320, 240, 32, 2);
        Write("zvlogo.bmp", 64, 64, 16, 3);
        Write("select.bmp", 256, 256, 64, 4);
        Write("cloth.bmp", 64, 64, 32, 5);
        WriteBullets(0);
        for (int n : {1, 2, 5}) {
            Write("back" + std::to_string(n) + ".bmp", 320, 500, 64, static_cast<uint8_t>(10 + n));
            Write("enemy" + std::to_string(n) + ".bmp", 320, 200, 64, static_cast<uint8_t>(20 + n));
        }
        Write("enemy.bmp", 320, 120, 32, 6);
    }
    void TearDown() override {
        DataDir = savedDataDir;
        for (TSurface* s :
             {&PlayerSheet, &BackSheet, &BulletSheet, &FontSheet, &EnemySheet, &StageEnemySheet})
            SetSize(*s, 0, 0);
        BulletCellsBuilt = false;
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // A picture of index 1 with index 0 at the top-left, plus the pixels given.
    void Write(const std::string& name, int w, int h, int colours, uint8_t tag,
               const std::vector<std::tuple<int, int, uint8_t>>& pixels = {}) {
        std::vector<uint8_t> idx(static_cast<size_t>(w) * h, 1);
        idx[0] = 0;
        for (auto [x, y, v] : pixels) idx[static_cast<size_t>(y) * w + x] = v;
        std::string error;
        ASSERT_TRUE(WriteBitmap8(dir + "/" + name, w, h, Colours(colours, tag), idx, error))
            << error;
    }
    // bullet.bmp: cell i's pixels hold (i + seed) mod 32, its top-left pixel the key 32.
    void WriteBullets(int seed) {
        const int w = 256, h = 96;
        std::vector<uint8_t> idx(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                idx[static_cast<size_t>(y) * w + x] =
                    static_cast<uint8_t>(((y / 16) * 16 + x / 16 + seed) % 32);
        idx[0] = 32;
        std::string error;
        ASSERT_TRUE(WriteBitmap8(dir + "/bullet.bmp", w, h, Colours(33, 7), idx, error)) << error;
    }
    static void Enter(uint8_t screen, int stage) {
        CurrentScreen = screen;
        StageNo = stage;
        DXDraw1RestoreSurface();
    }
};

TEST_F(AssetsTest, StageTwoAndFiveTakeTheBackgroundKeyFromTheirOwnRow) {
    Write("back2.bmp", 320, 500, 64, 12, {{0, 150, 17}, {0, 60, 9}});
    Write("back5.bmp", 320, 500, 64, 15, {{0, 150, 17}, {0, 60, 9}});
    Write("back1.bmp", 320, 500, 64, 11, {{0, 150, 17}, {0, 60, 9}});
    Enter(ScreenGame, 2);
    EXPECT_EQ(BackSheet.ColorKey, 80 + 17);
    Enter(ScreenGame, 5);
    EXPECT_EQ(BackSheet.ColorKey, 80 + 9);
    Enter(ScreenGame, 1);
    EXPECT_EQ(BackSheet.ColorKey, 80);
    EXPECT_EQ(EnemySheet.ColorKey, 144);
    EXPECT_EQ(StageEnemySheet.ColorKey, 192);
    EXPECT_EQ(PlayerSheet.ColorKey, 0);
    EXPECT_EQ(BulletSheet.ColorKey, 80);
    EXPECT_EQ(FontSheet.ColorKey, 48);
}

TEST_F(AssetsTest, EnemySheetsGetAGreyWhiteFlashCopyBelowThemselves) {
    // Bitmap index 6 becomes 150 on the sheet and 184 + 150 mod 8 = 190 in the flash copy.
    Write("enemy.bmp", 320, 120, 32, 6, {{10, 20, 6}, {11, 20, 0}});
    Enter(ScreenGame, 1);
    EXPECT_EQ(Height(EnemySheet), 240);
    EXPECT_EQ(EnemyFlashOffset, 120);
    EXPECT_EQ(EnemySheet.Row(20)[10], 150);
    EXPECT_EQ(EnemySheet.Row(140)[10], 190);
    EXPECT_EQ(EnemySheet.Row(140)[11], 144);  // key stays key
    EXPECT_EQ(EnemySheet.Row(120)[0], 144);
    EXPECT_EQ(EnemySheet.Row(120)[1], 184 + 145 % 8);
    // The stage sheet: bitmap 200 high, index 1 -> 193 -> 185.
    EXPECT_EQ(StageEnemyFlashOffset, 200);
    EXPECT_EQ(Height(StageEnemySheet), 400);
    EXPECT_EQ(StageEnemySheet.Row(399)[319], 184 + 193 % 8);
    for (int y = 200; y < 400; ++y)
        for (int x = 0; x < 320; ++x) {
            const uint8_t v = StageEnemySheet.Row(y)[x];
            ASSERT_TRUE(v == 192 || (v >= 184 && v <= 191)) << x << "," << y;
        }
}

TEST_F(AssetsTest, HitFlashHalfOfAHandMadeSheet) {
    TSurface s;
    SetSize(s, 4, 4);
    const uint8_t top[8] = {7, 7, 150, 255, 0, 8, 7, 183};
    for (int i = 0; i < 8; ++i) s.Pixels[i] = top[i];
    EXPECT_EQ(BuildHitFlashHalf(s), 2);
    const uint8_t expected[8] = {7, 7, 190, 191, 184, 184, 7, 191};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.Pixels[8 + i], expected[i]) << i;
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.Pixels[i], top[i]) << "upper half unchanged";
}

TEST_F(AssetsTest, PlayPaletteHasEveryRangeAndTheRampsOnTop) {
    Enter(ScreenGame, 2);
    const TPalette& p = GamePalette;
    EXPECT_EQ(p[0], (TRGBQuad{1, 0, 255, 0}));  // player colour 0
    EXPECT_EQ(p[47], (TRGBQuad{1, 47, 208, 0}));
    EXPECT_EQ(p[48], (TRGBQuad{7, 0, 255, 0}));  // bullet colour 0
    EXPECT_EQ(p[79], (TRGBQuad{7, 31, 224, 0}));
    EXPECT_EQ(p[80], (TRGBQuad{12, 0, 255, 0}));  // back2 colour 0
    EXPECT_EQ(p[143], (TRGBQuad{12, 63, 192, 0}));
    EXPECT_EQ(p[144], (TRGBQuad{6, 0, 255, 0}));  // enemy colour 0
    EXPECT_EQ(p[175], (TRGBQuad{6, 31, 224, 0}));
    EXPECT_EQ(p[192], (TRGBQuad{22, 0, 255, 0}));  // enemy2 colour 0
    EXPECT_EQ(p[255], (TRGBQuad{22, 63, 192, 0}));
    for (int i = 0; i < 8; ++i) {
        const uint8_t v = static_cast<uint8_t>(255 - 8 * i);
        EXPECT_EQ(p[183 - i], (TRGBQuad{0, 0, v, 0})) << i;
        EXPECT_EQ(p[191 - i], (TRGBQuad{v, v, v, 0})) << i;
    }
    EXPECT_EQ(p[176].Red, 199);
    EXPECT_EQ(Display.CurrentColors, GamePalette);
    // Sheet pixels carry their range's offset.
    EXPECT_EQ(BackSheet.Row(5)[5], 81);
    EXPECT_EQ(StageEnemySheet.Row(5)[5], 193);
    EXPECT_EQ(PlayerSheet.Row(5)[5], 1);
    EXPECT_EQ(FontSheet.Row(5)[5], 49);
}

TEST_F(AssetsTest, ReturningToTheTitleKeepsColoursNoTitlePictureUses) {
    Enter(ScreenGame, 5);
    const TPalette play = GamePalette;
    Enter(ScreenTitle, 5);
    const TPalette& p = GamePalette;
    for (int i = 80; i <= 95; ++i) EXPECT_EQ(p[i], play[i]) << i;
    for (int i = 112; i <= 143; ++i) EXPECT_EQ(p[i], play[i]) << i;
    for (int i = 240; i <= 255; ++i) EXPECT_EQ(p[i], play[i]) << i;
    EXPECT_EQ(p[96], (TRGBQuad{3, 0, 255, 0}));    // zvlogo
    EXPECT_EQ(p[176], (TRGBQuad{4, 32, 223, 0}));  // select overwrote the red ramp
    EXPECT_EQ(p[208], (TRGBQuad{5, 0, 255, 0}));   // cloth
    EXPECT_EQ(Height(EnemySheet), 256);            // select.bmp, no flash half
    EXPECT_EQ(Width(BackSheet), 64);
    EXPECT_EQ(StageEnemySheet.ColorKey, 0);  // cloth keeps index 0
    EXPECT_EQ(StageEnemySheet.Row(0)[0], 208);
}

TEST_F(AssetsTest, SelectKeyComesFromItsOwnPixel) {
    Write("select.bmp", 256, 256, 64, 4, {{128, 192, 9}});
    Enter(ScreenSelect, 1);
    EXPECT_EQ(EnemySheet.ColorKey, 144 + 9);
    EXPECT_EQ(BackSheet.ColorKey, 96);
}

TEST_F(AssetsTest, ConfigurationAndRankingReloadTheFrontEndPictures) {
    for (uint8_t screen : {ScreenConfig, ScreenRanking}) {
        Enter(ScreenGame, 1);
        Enter(screen, 1);
        EXPECT_EQ(Width(StageEnemySheet), 64) << int(screen);
        EXPECT_EQ(StageEnemySheet.Row(3)[3], 209) << int(screen);
        EXPECT_EQ(Height(EnemySheet), 256) << int(screen);
    }
}

TEST_F(AssetsTest, BulletCellsAreBuiltOnceFromTheFirstBulletSheet) {
    Enter(ScreenTitle, 1);
    ASSERT_TRUE(BulletCellsBuilt);
    // Cell i holds (i mod 32) + 48, except the key at the top-left of cell 0.
    EXPECT_EQ(BulletCells[0][0], BulletTransparent);
    EXPECT_EQ(BulletCells[0][17], 48);
    EXPECT_EQ(BulletCells[17][255], 48 + 17);
    EXPECT_EQ(BulletCells[95][0], 48 + 95 % 32);
    const auto first = BulletCells;
    WriteBullets(5);
    Enter(ScreenGame, 1);
    EXPECT_EQ(BulletCells, first);
    EXPECT_EQ(BulletSheet.Row(16)[16], 48 + (17 + 5) % 32);  // the sheet itself is new
}

TEST_F(AssetsTest, MissingOrShortPictureNamesTheFile) {
    fs::remove(dir + "/enemy5.bmp");
    try {
        Enter(ScreenGame, 5);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("enemy5.bmp"), std::string::npos) << e.what();
    }
    Write("enemy.bmp", 320, 120, 16, 6);  // 32 colours needed
    try {
        Enter(ScreenGame, 1);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("enemy.bmp"), std::string::npos) << e.what();
    }
}

}  // namespace
