// The readable sources of stages and enemy kinds, and their printed forms.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/einitsource.h"
#include "common/stagesource.h"
#include "zvcommon/stagemap.h"

namespace {
std::string ErrorOf(const std::string& text) {
    try {
        zvtools::CompileStageSource(text, "stage9.txt");
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}
}  // namespace

TEST(StageSource, CompilesTerrainAndTimeline) {
    const std::string src =
        "legend . 0\nlegend X 3 solid   # rock\n"
        "terrain\nX.X\n.XX\nend\nterrain\nX\n.\nend\n"
        "timeline\n0 speed 8 -4\n0 loop 64 none\n30 80 320 100 5\n30 terrain 1\nend\n";
    const auto bytes = zvtools::CompileStageSource(src, "stage9.txt");
    auto map = std::make_unique<TStageMap>();
    std::memset(static_cast<void*>(map.get()), 0, sizeof(TStageMap));
    LoadStageMap(bytes.data(), bytes.size(), "Stage9.map", *map);
    EXPECT_EQ(MapColumnCount(map->MapHeader), 4);
    EXPECT_EQ(MapEventCount(map->MapHeader), 4);
    EXPECT_EQ(map->TileAttributes[3], 1);
    EXPECT_EQ(map->TileAttributes[0], 0);
    // Column 0 is X over '.', column 1 '.' over X, column 3 the second block.
    EXPECT_EQ(map->TileMap[0 * 32 + 0], 3);
    EXPECT_EQ(map->TileMap[0 * 32 + 1], 0);
    EXPECT_EQ(map->TileMap[1 * 32 + 1], 3);
    EXPECT_EQ(map->TileMap[3 * 32 + 0], 3);
    EXPECT_EQ(map->Timeline[0].Code, CodeScrollSpeed);
    EXPECT_EQ(map->Timeline[0].B, -4);
    EXPECT_EQ(map->Timeline[1].B, NoLoop);
    EXPECT_EQ(map->Timeline[2].Code, 80);
    EXPECT_EQ(map->Timeline[2].Param, 5);
    EXPECT_EQ(map->Timeline[3].Code, CodeTerrain);
    EXPECT_EQ(map->Timeline[4].Position, TimelineNever);

    std::string listing;
    EXPECT_TRUE(zvtools::DescribeStageMap(bytes, listing));
    EXPECT_NE(listing.find(" 0 3.33"), std::string::npos) << listing;
    EXPECT_NE(listing.find("30 80 320 100 5"), std::string::npos) << listing;
    EXPECT_NE(listing.find("0 loop 64 2147483647 0"), std::string::npos) << listing;
}

TEST(StageSource, ErrorsNameTheLine) {
    EXPECT_NE(ErrorOf("timeline\n10 speed 8 0\n5 speed 4 0\nend\n").find("stage9.txt:3:"),
              std::string::npos);
    EXPECT_NE(ErrorOf("legend . 0\nterrain\n.Q\nend\n").find("stage9.txt:3: no legend for 'Q'"),
              std::string::npos);
    EXPECT_NE(ErrorOf("legend . 0\nterrain\n..\n.\nend\n").find("same length"), std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n0 300 1 2\nend\n").find("1..255"), std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n0 speed 8\n").find("missing its 'end'"), std::string::npos);
    EXPECT_NE(ErrorOf("colour 3\n").find("unknown line"), std::string::npos);
}

TEST(StageSource, MoreThan1024ColumnsDoNotCompile) {
    std::string src = "legend . 0\n";
    for (int b = 0; b < 17; ++b) src += "terrain\n" + std::string(64, '.') + "\nend\n";
    EXPECT_NE(ErrorOf(src).find("1088 columns"), std::string::npos);
}

TEST(StageListing, ReportsAFileShorterThanItsCounts) {
    std::vector<uint8_t> bytes(384 + 10, 0);
    bytes[17] = 2;  // two columns need 64 bytes
    std::string listing;
    EXPECT_FALSE(zvtools::DescribeStageMap(bytes, listing));
    EXPECT_NE(listing.find("problem:"), std::string::npos);
}

TEST(EnemySource, FieldsByName) {
    const auto table = zvtools::ParseEnemySource(
        "kind 87 heavy gunship\n  hp 24\n  state active\n  contact deadly\n  shots damage\n"
        "  layer 2\n  score 500\n  death large\n  bounds tight wide tight wide\n"
        "  box -16 -12 16 12\n  on-death item 9\n  scrolls\n"
        "kind 193 fortress\n  boss\n  state entering\n  contact solid\n  shots armour\n  fine\n",
        "einit.txt");
    ASSERT_EQ(table.size(), 256u);
    const TEnemyType& t = table[87];
    EXPECT_EQ(+t.HitPoints, 24);
    EXPECT_EQ(t.InitialState, StateActive);
    EXPECT_EQ(t.ContactKind, ContactDeadly);
    EXPECT_EQ(t.DeathKind, DeathLarge);
    EXPECT_EQ(t.TightLeft, 1);
    EXPECT_EQ(t.TightRight, 0);
    EXPECT_EQ(+t.BoxTop, -12);
    EXPECT_EQ(t.DeathAction, ActionItem);
    EXPECT_EQ(+t.DeathValue, 9);
    EXPECT_EQ(t.ScrollsWithMap, 1);
    EXPECT_EQ(t.FinePosition, 0);
    EXPECT_EQ(table[193].BossFlag, 1);
    EXPECT_EQ(table[193].ShotResponse, ShotsStopped);
    EXPECT_EQ(table[193].FinePosition, 1);
    EXPECT_TRUE(zvtools::EnemyTypeEmpty(table[88]));
    // The printed form reads back to the same record.
    const auto again = zvtools::ParseEnemySource(zvtools::DescribeEnemyType(87, t), "x");
    EXPECT_EQ(std::memcmp(&again[87], &t, sizeof t), 0);
}

TEST(EnemySource, ErrorsNameTheLine) {
    auto error = [](const std::string& text) {
        try {
            zvtools::ParseEnemySource(text, "einit.txt");
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_NE(error("hp 3\n").find("einit.txt:1:"), std::string::npos);
    EXPECT_NE(error("kind 300\n").find("0..255"), std::string::npos);
    EXPECT_NE(error("kind 5\nkind 5\n").find("einit.txt:2: kind 5 defined twice"),
              std::string::npos);
    EXPECT_NE(error("kind 5\n  state flying\n").find("unknown value 'flying'"), std::string::npos);
    EXPECT_NE(error("kind 5\n  box 1 2 3\n").find("takes 4"), std::string::npos);
}

namespace {
// The timeline records of a compiled stage source.
std::vector<TTimelineEvent> TimelineOf(const std::string& src) {
    const auto bytes = zvtools::CompileStageSource(src, "stage9.txt");
    auto map = std::make_unique<TStageMap>();
    std::memset(static_cast<void*>(map.get()), 0, sizeof(TStageMap));
    LoadStageMap(bytes.data(), bytes.size(), "Stage9.map", *map);
    return {map->Timeline, map->Timeline + MapEventCount(map->MapHeader)};
}
}  // namespace

TEST(StageSource, WavesExpandAndInterleaveInPositionOrder) {
    const auto ev = TimelineOf(
        "timeline\n100 wave 80 330 40 3 20 0 30 param 2\n+10 81 300 100\n"
        "+20 wave 82 320 200 2 0\nend\n");
    // 80 at 100, 120, 140 stepping 30 down; 81 at 110; two 82 at 130 after the 80 at 120.
    ASSERT_EQ(ev.size(), 6u);
    const int32_t want[6][4] = {{100, 80, 330, 40},  {110, 81, 300, 100}, {120, 80, 330, 70},
                                {130, 82, 320, 200}, {130, 82, 320, 200}, {140, 80, 330, 100}};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ev[i].Position, want[i][0]);
        EXPECT_EQ(ev[i].Code, want[i][1]);
        EXPECT_EQ(ev[i].A, want[i][2]);
        EXPECT_EQ(ev[i].B, want[i][3]);
    }
    EXPECT_EQ(ev[0].Param, 2);
    EXPECT_EQ(ev[1].Param, 0);
}

TEST(StageSource, GroundAndCeilingFollowTheScroll) {
    // Ground rises one row per column: column c's ground top is row 14 - (c mod 4). The
    // ceiling is rows 0..1 everywhere. At 8 (half a pixel a frame) the scroll moves 1 pixel
    // on clocks 0 and 2 of every 4, so by frame 64 it has moved 32 pixels (two columns).
    std::string src = "legend . 0\nlegend X 1 solid\nterrain\n";
    std::vector<std::string> rows(15, std::string(40, '.'));
    for (int c = 0; c < 40; ++c) {
        rows[0][c] = rows[1][c] = 'X';
        for (int r = 14 - c % 4; r < 15; ++r) rows[r][c] = 'X';
    }
    for (const auto& r : rows) src += r + "\n";
    src +=
        "end\ntimeline\n0 terrain 1\n64 ground 115 20 -8\n64 ceiling 114 20 8 param 3\n"
        "65 speed 0 0\n70 ground 128 36\nend\n";
    const auto ev = TimelineOf(src);
    ASSERT_EQ(ev.size(), 5u);
    // At 64: scroll 32, x 20 is map x 52, column 3, ground top row 11 (y 176).
    EXPECT_EQ(ev[1].B, 176 - 8);
    EXPECT_EQ(ev[2].B, 32 + 8);
    EXPECT_EQ(ev[2].Param, 3);
    // Stopped at 65 after the step of clock 64 (phase 0, 1 pixel): x 36 is map x 69, column 4.
    EXPECT_EQ(ev[4].B, 224);
}

TEST(StageSource, TimelineErrorsNameTheLine) {
    EXPECT_NE(ErrorOf("timeline\n0 wave 80 300 40 3\nend\n").find("stage9.txt:2: a wave is"),
              std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n0 wave 80 300 40 0 5\nend\n").find("1..256"), std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n0 wave 80 300 40 2 5 7\nend\n").find("2 offsets"),
              std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n9 wave 300 1 1 1 1\nend\n").find("1..255"), std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n20 80 1 1\n+-30 80 1 1\nend\n").find("stage9.txt:3:"),
              std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n5 ground 115 40\nend\n").find("need a stage with terrain"),
              std::string::npos);
    EXPECT_NE(ErrorOf("legend . 0\nterrain\n.\nend\ntimeline\n0 terrain 1\n5 ceiling 114 8\nend\n")
                  .find("stage9.txt:7: no ceiling under x 8 at 5"),
              std::string::npos);
    EXPECT_NE(ErrorOf("timeline\n5 ground 115 40 param\nend\n").find("'param' takes one"),
              std::string::npos);
}
