// Plays of stages 1, 2 and 5 in the headless program, checked on their screenshots: the
// background, the enemies and the ship where the dump puts them, bullets in the colour group
// of their look, and the status line drawn from the real font.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "e2e/harness.h"
#include "krdxlib/bmpfile.h"

namespace {

using namespace e2e;

constexpr int ShotTick = 120;

struct Shot {
    TBitmap Screen, Font;
    std::string Line;  // the dump of the screenshot's tick
    int At(int x, int y) const { return Screen.At(x, y); }
    // Pixels of the rectangle (clipped to the screen) whose index lies in first..last.
    int Count(int x0, int y0, int w, int h, int first, int last) const {
        int n = 0;
        for (int y = std::max(y0, 0); y < std::min(y0 + h, 240); ++y)
            for (int x = std::max(x0, 0); x < std::min(x0 + w, 320); ++x)
                n += At(x, y) >= first && At(x, y) <= last;
        return n;
    }
};

Shot RunStage(int stage) {
    const std::string dir = FreshDataDir();
    const std::string file = dir + "/shot.bmp";
    RunResult r = RunVorin(
        dir, {"--frames", std::to_string(ShotTick), "--seed", "11", "--stage",
              std::to_string(stage), "--screenshot", std::to_string(ShotTick) + ":" + file});
    Shot s;
    EXPECT_EQ(r.status, 0) << r.errors;
    if (r.status != 0 || r.dump.size() != static_cast<size_t>(ShotTick)) return s;
    s.Screen = LoadBitmapFile(file);
    s.Font = LoadBitmapFile(dir + "/font.bmp");
    s.Line = r.dump[ShotTick - 1];
    std::filesystem::remove_all(dir);
    return s;
}

// The status line: "00000000" glyph for glyph from the font picture, counter, frame rate,
// and two life icons in the ship's colours.
void CheckStatus(const Shot& s) {
    const std::string ship = RawField(s.Line, "Ship");
    ASSERT_FALSE(ship.empty());
    ASSERT_EQ(IntField(ship, "score"), 0);
    const int key = s.Font.At(0, 0);
    int glyphPixels = 0;
    for (int i = 0; i < 8; ++i)
        for (int gy = 0; gy < 16; ++gy)
            for (int gx = 0; gx < 10; ++gx) {
                const int v = s.Font.At(('0' - 32) % 16 * 10 + gx, ('0' - 32) / 16 * 16 + gy);
                if (v == key) continue;
                ++glyphPixels;
                ASSERT_EQ(s.At(i * 10 + gx, gy), v + 48) << "score glyph " << i;
            }
    EXPECT_GT(glyphPixels, 8 * 10);
    EXPECT_GT(s.Count(45, 233, 36, 7, 48, 79), 20) << "counter";
    EXPECT_GT(s.Count(133, 233, 54, 7, 48, 79), 30) << "frame rate";
    EXPECT_EQ(IntField(ship, "lives"), 2);
    EXPECT_GT(s.Count(0, 229, 22, 11, 1, 47), 40) << "two life icons";
    EXPECT_EQ(s.Count(22, 229, 11, 11, 1, 47), 0) << "no third icon";
}

// The ship body and anchor show in the ship's colours around the dumped position.
void CheckShip(const Shot& s) {
    const std::string ship = RawField(s.Line, "Ship");
    ASSERT_FALSE(ship.empty());
    const int x = static_cast<int>(IntField(ship, "x")), y = static_cast<int>(IntField(ship, "y"));
    EXPECT_GT(s.Count(x - 24, y - 21, 40, 40, 1, 47), 20) << "ship at " << x << "," << y;
    const int ax = static_cast<int>(IntField(ship, "anchorX"));
    const int ay = static_cast<int>(IntField(ship, "anchorY"));
    EXPECT_GT(s.Count(ax - 16, ay - 16, 32, 32, 1, 47), 10) << "anchor";
}

// Enemies show in the enemy colours (or their flash greys); bullets in the
// colour group of their look.
void CheckObjects(const Shot& s, int minEnemies) {
    int enemies = 0;
    for (const auto& o : ObjectList(s.Line)) {
        const int kind = static_cast<int>(o["kind"]), x = static_cast<int>(o["x"]),
                  y = static_cast<int>(o["y"]), look = static_cast<int>(o["state"]);
        const bool inside = x >= 24 && x < 296 && y >= 24 && y < 216;
        // Enemies of the enemy sheet, at least half of them on the screen (they may wait
        // at the right edge).
        const int half = kind == 129 ? 20 : 16;
        if (((kind >= 80 && kind <= 86) || kind == 129) && x >= half && x < 320 && y >= half &&
            y < 240 - half) {
            ++enemies;
            EXPECT_GT(s.Count(x - half, y - half, 2 * half, 2 * half, 144, 191), 2 * half)
                << "enemy " << kind << " at " << x << "," << y;
        }
        if (kind >= 48 && kind <= 63 && inside && look >= 0 && look < 8) {
            // Some pixel of the cell lies in the bullet picture's group moved by the look.
            int inGroup = 0;
            for (int g = 48; g < 80; g += 4)
                inGroup += s.Count(x - 8, y - 8, 16, 16, g + 4 * look, g + 4 * look + 3) > 0;
            EXPECT_GT(inGroup, 0) << "bullet " << kind << " look " << look;
        }
    }
    EXPECT_GE(enemies, minEnemies);
}

TEST(SceneEndToEnd, StageOneShowsItsTerrainEnemiesShipAndStatus) {
    const Shot s = RunStage(1);
    ASSERT_FALSE(s.Line.empty());
    EXPECT_EQ(IntField(s.Line, "StageNo"), 1);
    // The background and the tile map come from one sheet (80..143) and fill the field.
    EXPECT_GT(s.Count(0, 20, 320, 200, 80, 143), 320 * 200 * 8 / 10);
    CheckStatus(s);
    CheckShip(s);
    CheckObjects(s, 1);
}

TEST(SceneEndToEnd, StageTwoShowsItsSkyAndLayers) {
    const Shot s = RunStage(2);
    ASSERT_FALSE(s.Line.empty());
    EXPECT_EQ(IntField(s.Line, "StageNo"), 2);
    EXPECT_GT(s.Count(0, 20, 320, 130, 80, 143), 320 * 130 * 8 / 10) << "sky";
    EXPECT_GT(s.Count(0, 150, 320, 80, 80, 143), 320 * 80 * 5 / 10) << "layers";
    CheckStatus(s);
    CheckShip(s);
    CheckObjects(s, 0);
}

TEST(SceneEndToEnd, StageFiveShowsItsBand) {
    const Shot s = RunStage(5);
    ASSERT_FALSE(s.Line.empty());
    EXPECT_EQ(IntField(s.Line, "StageNo"), 5);
    EXPECT_GT(s.Count(0, 90, 320, 60, 80, 143), 320 * 60 * 8 / 10) << "band";
    CheckStatus(s);
    CheckShip(s);
    CheckObjects(s, 0);
}

}  // namespace
