// The stages and enemy kinds the build generates from assets/.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <set>
#include <vector>
#include <memory>
#include <string>

#include "krdxlib/geometry.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/tables.h"
#include "zvcommon/enemytypes.h"
#include "zvcommon/stagemap.h"

namespace {
struct Generated {
    std::unique_ptr<TStageMap> map = std::make_unique<TStageMap>();
    std::unique_ptr<TEnemyType[]> types = std::make_unique<TEnemyType[]>(EnemyTypeCount);
    void Load(int stage) {
        std::memset(static_cast<void*>(map.get()), 0, sizeof(TStageMap));
        LoadStageMapFile(std::string(ZV_BIN_DIR) + "/Stage" + std::to_string(stage) + ".map", *map);
        ReadEnemyTypes(std::string(ZV_BIN_DIR) + "/einit.dat", types.get());
    }
    // Records 0..E-1.
    std::vector<TTimelineEvent> Events() const {
        std::vector<TTimelineEvent> out;
        for (int i = 0; i < MapEventCount(map->MapHeader); ++i) out.push_back(map->Timeline[i]);
        return out;
    }
};
}  // namespace

TEST(StageData, EveryStageHasItsBossAtTheBossPosition) {
    Generated g;
    for (int stage : {1, 2, 5}) {
        g.Load(stage);
        int bosses = 0;
        int32_t last = INT32_MIN;
        for (const auto& ev : g.Events()) {
            EXPECT_GE(ev.Position, last) << "stage " << stage;
            last = ev.Position;
            if (ev.Code >= CodeTerrain && ev.Code <= CodeLoop) continue;
            ASSERT_GE(ev.Code, 1);
            ASSERT_LE(ev.Code, 255);
            const TEnemyType& t = g.types[ev.Code];
            EXPECT_NE(t.InitialState, 0)
                << "stage " << stage << " spawns kind " << ev.Code << " without a record";
            if (t.BossFlag) {
                ++bosses;
                EXPECT_EQ(ev.Position, StageInfo(stage).BossPosition) << "stage " << stage;
            }
        }
        EXPECT_EQ(bosses, 1) << "stage " << stage;
    }
}

TEST(StageData, StageOneIsACavernWithASeamlessLoop) {
    Generated g;
    g.Load(1);
    ASSERT_EQ(MapColumnCount(g.map->MapHeader), 256);
    int32_t loopStart = -1, loopLength = -1;
    for (const auto& ev : g.Events()) {
        if (ev.Code == CodeLoop) {
            loopStart = ev.A;
            loopLength = ev.B;
        }
    }
    ASSERT_GT(loopLength, 0);
    ASSERT_NE(loopLength, NoLoop);
    // The whole visible width stays inside the 256 columns the background test reads.
    EXPECT_LE(loopStart + loopLength + 320, 256 * 16);
    auto solid = [&](int c, int r) {
        return (g.map->TileAttributes[g.map->TileMap[c * 32 + r]] & TileSolidBit) != 0;
    };
    for (int c = 0; c < 256; ++c) {
        EXPECT_TRUE(solid(c, 0)) << "no ceiling at column " << c;
        EXPECT_TRUE(solid(c, 14)) << "no ground at column " << c;
        int open = 0, best = 0;
        for (int r = 0; r < SolidRows; ++r) {
            open = solid(c, r) ? 0 : open + 1;
            best = std::max(best, open);
        }
        EXPECT_GE(best, 6) << "column " << c << " leaves no room to fly";
    }
    // What is on screen just before the wrap is what is on screen just after it.
    const int from = loopStart / 16, to = (loopStart + loopLength) / 16;
    for (int c = 0; c < 21; ++c) {
        for (int r = 0; r < SolidRows; ++r) {
            ASSERT_EQ(g.map->TileMap[(from + c) * 32 + r], g.map->TileMap[(to + c) * 32 + r])
                << "column " << from + c << " row " << r;
        }
    }
}

TEST(StageData, StagesTwoAndFiveHaveNoTerrain) {
    Generated g;
    for (int stage : {2, 5}) {
        g.Load(stage);
        EXPECT_EQ(MapColumnCount(g.map->MapHeader), 0);
        for (const auto& ev : g.Events()) {
            if (ev.Code == CodeTerrain) {
                EXPECT_EQ(ev.A, 0);
            }
        }
    }
}

TEST(StageData, EnemyKindsKeepTheRolesOfTheirNumbers) {
    Generated g;
    g.Load(1);
    for (int k = 0; k < EnemyTypeCount; ++k) {
        const TEnemyType& t = g.types[k];
        // Bullets and effects are never spawned from the table and must not scroll.
        if (k >= 48 && k < 80) {
            EXPECT_FALSE(t.ScrollsWithMap) << k;
        }
        if (t.BossFlag) {
            EXPECT_GE(k, 192) << k;
        }
        if (t.DeathAction == ActionItem) {
            EXPECT_EQ(+t.DeathValue, 9) << k;
        }
    }
    for (int k : {80, 81, 82, 83, 87, 129}) {  // the random arrivals
        EXPECT_EQ(g.types[k].InitialState, StateActive) << k;
        EXPECT_GT(+g.types[k].HitPoints, 0) << k;
    }
}

// Each stage's sheet carries only its own stage pictures (their rectangles overlap between
// sheets), so a stage may place the common kinds and the kinds of its sheet, no others.
// The spawners' children count as placed: 110 sends 111, 94 sends 95, the bosses their parts.
TEST(StageData, EachStagePlacesOnlyTheKindsItsSheetDraws) {
    const std::vector<int> common = {80,  81,  82,  83,  84,  86,  87,  90, 91,
                                     110, 111, 114, 115, 116, 128, 129, 134};
    const std::map<int, std::vector<int>> own = {
        {1, {193, 96, 98, 99, 100, 101, 102, 103, 104, 88, 89, 112}},
        {2, {198, 125, 126, 93, 192, 94, 95, 89}},
        {5, {194, 195, 124, 89, 126, 198, 125}},
    };
    Generated g;
    std::set<int> placedAnywhere;
    for (const auto& [stage, kinds] : own) {
        g.Load(stage);
        for (const auto& ev : g.Events()) {
            if (ev.Code >= CodeTerrain && ev.Code <= CodeLoop) continue;
            placedAnywhere.insert(ev.Code);
            const bool ok = std::find(common.begin(), common.end(), ev.Code) != common.end() ||
                            std::find(kinds.begin(), kinds.end(), ev.Code) != kinds.end();
            EXPECT_TRUE(ok) << "stage " << stage << " places kind " << ev.Code << " at "
                            << ev.Position << ", which its sheet does not draw";
        }
    }
    // Every boss program runs somewhere.
    for (int boss : {192, 193, 194, 195, 198}) {
        EXPECT_TRUE(placedAnywhere.count(boss)) << "boss " << boss << " is placed on no stage";
    }
}

// A boss whose loss must not end the stage (a mid-boss) has no boss flag; the last boss
// of each stage has it. Entering bosses start in the entering state.
TEST(StageData, BossesEnterAndOnlyTheLastOneEndsTheStage) {
    Generated g;
    g.Load(1);
    for (int k : {192, 193, 194, 195}) EXPECT_EQ(g.types[k].InitialState, StateEntering) << k;
    for (int k : {193, 194, 198}) EXPECT_TRUE(g.types[k].BossFlag) << k;
    for (int k : {192, 195}) EXPECT_FALSE(g.types[k].BossFlag) << k;
    // Parts that follow a parent by offset must not convert from a fine position.
    for (int k : {96, 98, 99, 100, 101, 102, 103, 124, 125}) {
        EXPECT_FALSE(g.types[k].FinePosition) << k;
        EXPECT_FALSE(g.types[k].ScrollsWithMap) << k;
    }
}

// A mine bursts at the edge it reaches; each one a timeline places must fly for more than half
// a second first, or it only pays its points and throws its burst off the screen.
TEST(StageData, EveryPlacedMineFliesBeforeItBursts) {
    Generated g;
    int mines = 0;
    for (int stage : {1, 2, 5}) {
        g.Load(stage);
        for (const auto& ev : g.Events()) {
            if (ev.Code != EnemyKind::Mine) continue;
            ++mines;
            ResetWorld();
            BuildTrigTables();
            std::memcpy(static_cast<void*>(EnemyTypes), g.types.get(),
                        sizeof(TEnemyType) * EnemyTypeCount);
            const int32_t slot = SpawnObject(ev.A, ev.B, ev.Code, ev.Param);
            int frames = 0;
            while (Objects[slot].Kind == EnemyKind::Mine && frames < 1000) {
                BehaviourPass();
                frames += Objects[slot].Kind == EnemyKind::Mine;
            }
            EXPECT_GT(frames, 30) << "stage " << stage << " mine at (" << ev.A << ", " << ev.B
                                  << ") heading " << ev.Param << ", position " << ev.Position;
        }
    }
    EXPECT_GT(mines, 0);
}
