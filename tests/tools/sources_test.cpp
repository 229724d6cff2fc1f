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
