#pragma once
// A clean world, a 320x240 back buffer and small hand-made sheets: every test marks the
// source rectangles it expects with their own colour and finds them again on the screen.
#include <gtest/gtest.h>

#include <string>

#include "base/graphics.h"
#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "render/assets.h"
#include "render/display.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace scenetest {

constexpr uint8_t Key = 0;  // colour key of every test sheet

// Where a colour lies on the back buffer: its bounding box and pixel count.
struct Found {
    TRect Box{};
    int Count = 0;
};

inline Found Find(uint8_t v, const TSurface& s = Display.BackBuffer) {
    Found f{{s.W, s.H, -1, -1}, 0};
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x)
            if (s.Row(y)[x] == v) {
                ++f.Count;
                f.Box.Left = std::min(f.Box.Left, x);
                f.Box.Top = std::min(f.Box.Top, y);
                f.Box.Right = std::max(f.Box.Right, x + 1);
                f.Box.Bottom = std::max(f.Box.Bottom, y + 1);
            }
    if (f.Count == 0) f.Box = {};
    return f;
}

// True when exactly the rectangle w x h at (x, y) shows colour v.
inline ::testing::AssertionResult ShowsAt(uint8_t v, int x, int y, int w, int h) {
    const Found f = Find(v);
    if (f.Count == w * h && f.Box == Bounds(x, y, w, h)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "colour " << int(v) << ": " << f.Count << " pixels in (" << f.Box.Left << ", "
           << f.Box.Top << ")-(" << f.Box.Right << ", " << f.Box.Bottom << "), expected " << w * h
           << " in (" << x << ", " << y << ")-(" << x + w << ", " << y + h << ")";
}

inline void Blank(TSurface& s, int w, int h) {
    SetSize(s, w, h);
    SetColorKey(s, Key);
}

inline void Mark(TSurface& s, TRect r, uint8_t v) {
    FillRect(s, r, v);
}

inline uint8_t At(int x, int y) {
    return Display.BackBuffer.Row(y)[x];
}

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        ResetShellState();
        BuildTrigTables();
        Blank(Display.BackBuffer, 320, 240);
        for (TSurface* s :
             {&PlayerSheet, &BackSheet, &BulletSheet, &FontSheet, &EnemySheet, &StageEnemySheet})
            Blank(*s, 320, 700);
        EnemyFlashOffset = StageEnemyFlashOffset = 0;
        for (TBulletCell& c : BulletCells) c.fill(BulletTransparent);
    }
    void TearDown() override {
        for (TSurface* s :
             {&PlayerSheet, &BackSheet, &BulletSheet, &FontSheet, &EnemySheet, &StageEnemySheet})
            SetSize(*s, 0, 0);
        BulletCellsBuilt = false;
    }
    // A world object in slot `slot`.
    static TWorldObject& Obj(int slot, int kind, int x, int y, int layer = 0) {
        TWorldObject& o = Objects[slot];
        o.Kind = kind;
        o.X = x;
        o.Y = y;
        o.Layer = layer;
        o.State = 4;
        return o;
    }
    static TSurfaceDesc LockScreen() {
        TSurfaceDesc d;
        EXPECT_TRUE(Lock(Display.BackBuffer, nullptr, &d));
        return d;
    }
};

// The game screen on the build's own pictures: the data folder points at the build's bin
// folder for the test, and every sheet the test loads is freed after it.
class BuildPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetShellState();
        ResetWorld();
        savedDataDir_ = DataDir;
        DataDir = std::string(ZV_BIN_DIR) + "/";
        CurrentScreen = ScreenGame;
    }
    void TearDown() override {
        DataDir = savedDataDir_;
        for (TSurface* s :
             {&PlayerSheet, &BackSheet, &BulletSheet, &FontSheet, &EnemySheet, &StageEnemySheet})
            SetSize(*s, 0, 0);
    }

  private:
    std::string savedDataDir_;
};

}  // namespace scenetest
