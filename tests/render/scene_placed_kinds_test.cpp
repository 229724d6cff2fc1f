// Every kind a stage's timeline places, on the build's own pictures and enemy records: it is
// drawn (a non-empty picture) from its first frame on screen, so nothing fires unseen.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "render/assets.h"
#include "render/display.h"
#include "render/scene.h"
#include "render/scene_fixture.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/play.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvcommon/stagemap.h"

namespace {

constexpr int32_t Frames = 120;  // the floor turret once stayed unseen until about age 113

class PlacedKindsTest : public scenetest::BuildPicturesTest {
  protected:
    void SetUp() override {
        BuildPicturesTest::SetUp();
        SetSize(Display.BackBuffer, 320, 240);
    }
    // Pixels the object in slot leaves on a cleared screen.
    static int DrawnPixels(int32_t slot) {
        Fill(Display.BackBuffer, 0);
        DrawWorldObject(Objects[slot]);
        int n = 0;
        for (uint8_t v : Display.BackBuffer.Pixels) n += v != 0;
        return n;
    }
};

TEST_F(PlacedKindsTest, EveryPlacedKindIsDrawnFromItsFirstFrame) {
    auto map = std::make_unique<TStageMap>();
    for (int32_t stage : {1, 2, 5}) {
        std::memset(static_cast<void*>(map.get()), 0, sizeof(TStageMap));
        LoadStageMapFile(DataPath("Stage" + std::to_string(stage) + ".map"), *map);
        std::map<int32_t, int32_t> kinds;  // kind -> the param of its first placement
        for (int i = 0; i < MapEventCount(map->MapHeader); ++i) {
            const TTimelineEvent& ev = map->Timeline[i];
            if (ev.Code >= CodeTerrain && ev.Code <= CodeLoop) continue;
            if (ev.Code == EnemyKind::CruiserGate) continue;  // has no picture: it only sends
            kinds.emplace(ev.Code, ev.Param);
        }
        ASSERT_GT(kinds.size(), 5u) << "stage " << stage;
        for (const auto& [kind, param] : kinds) {
            ResetWorld();
            BuildTrigTables();
            StageNo = stage;
            LoadEnemyTypes();
            DXDraw1RestoreSurface();
            Players[0].X = 60;
            Players[0].Y = 120;
            // In the middle of the screen, so every picture fits whatever its anchor.
            const int32_t slot = SpawnObject(160, 120, kind, param);
            for (int32_t frame = 0; frame < Frames && Objects[slot].Kind == kind; ++frame) {
                BehaviourPass();
                const TWorldObject& o = Objects[slot];
                const bool onScreen = o.X >= 0 && o.X < 320 && o.Y >= 0 && o.Y < 240;
                if (o.Kind != kind || !onScreen || !ObjectShown(o)) continue;
                ASSERT_GT(DrawnPixels(slot), 0) << "stage " << stage << " kind " << kind
                                                << " param " << param << " frame " << frame;
            }
        }
    }
}

}  // namespace
