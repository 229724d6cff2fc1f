// Stage map files: counts, sentinel filling, short and oversized files, the background test.
#include "zvcommon/stagemap.h"

#include <gtest/gtest.h>

#include <memory>

#include "../world/world_fixture.h"
#include "base/paths.h"

namespace {
std::unique_ptr<TStageMap> FreshMap() {
    auto map = std::make_unique<TStageMap>();
    std::memset(static_cast<void*>(map.get()), 0, sizeof(TStageMap));
    return map;
}
void Load(const std::vector<uint8_t>& bytes, TStageMap& map) {
    LoadStageMap(bytes.data(), bytes.size(), "Stage9.map", map);
}
}  // namespace

TEST(StageMap, CountsAreBigEndian) {
    std::vector<uint8_t> header(128, 0);
    header[16] = 0x01;
    header[17] = 0x00;
    header[18] = 0x00;
    header[19] = 0x03;
    EXPECT_EQ(MapColumnCount(header.data()), 256);
    EXPECT_EQ(MapEventCount(header.data()), 3);
}

TEST(StageMap, LoadsEveryAreaAndFillsSentinels) {
    StageImage img;
    img.attributes[7] = 1;
    img.attributes[255] = 0x81;
    for (int c = 0; c < 256; ++c) {
        std::vector<uint8_t> col(32, 0);
        col[0] = static_cast<uint8_t>(c);
        col[31] = 7;
        img.columns.push_back(col);
    }
    img.events = {{0, CodeScrollSpeed, 8, 0, 0}, {60, 80, 320, 100, 5}};
    auto map = FreshMap();
    for (auto& ev : map->Timeline) ev = {1, 2, 3, 4, 5};
    Load(img.Bytes(), *map);
    EXPECT_EQ(map->TileAttributes[7], 1);
    EXPECT_EQ(map->TileAttributes[255], 0x81);
    EXPECT_EQ(map->TileMap[200 * 32], 200);
    EXPECT_EQ(map->TileMap[255 * 32 + 31], 7);
    EXPECT_EQ(map->MapHeader[16], 1);
    EXPECT_EQ(map->Timeline[1].Position, 60);
    EXPECT_EQ(map->Timeline[1].Code, 80);
    EXPECT_EQ(map->Timeline[1].Param, 5);
    for (int i = 2; i < TimelineCapacity; ++i) {
        ASSERT_EQ(map->Timeline[i].Position, TimelineNever);
        ASSERT_EQ(map->Timeline[i].Code, 2);  // other fields are kept
    }
}

TEST(StageMap, NoRecordsMeansNothingEverFires) {
    StageImage img;
    auto map = FreshMap();
    Load(img.Bytes(), *map);
    for (const auto& ev : map->Timeline) ASSERT_EQ(ev.Position, TimelineNever);
}

TEST(StageMap, ShortFileKeepsWhatItDoesNotCover) {
    auto map = FreshMap();
    std::memset(map->TileMap, 9, sizeof map->TileMap);
    map->Timeline[0] = {11, 12, 13, 14, 15};
    StageImage img;
    img.columns.assign(4, std::vector<uint8_t>(32, 3));
    img.events = {{100, 80, 1, 2, 3}};
    std::vector<uint8_t> bytes = img.Bytes();
    bytes.resize(384 + 32 * 2 + 16);  // half the columns and no timeline
    Load(bytes, *map);
    EXPECT_EQ(map->TileMap[0], 3);
    EXPECT_EQ(map->TileMap[2 * 32 + 15], 3);
    EXPECT_EQ(map->TileMap[2 * 32 + 16], 9);
    EXPECT_EQ(map->Timeline[0].Position, 11);  // not read, and not below E
    EXPECT_EQ(map->Timeline[1].Position, TimelineNever);

    // A header cut short keeps the previous stage's counts.
    std::vector<uint8_t> tiny(10, 0);
    Load(tiny, *map);
    EXPECT_EQ(map->MapHeader[19], 1);
    EXPECT_EQ(map->Timeline[0].Position, 11);
    EXPECT_EQ(map->Timeline[1].Position, TimelineNever);
}

TEST(StageMap, EmptyFileKeepsThePreviousStage) {
    auto map = FreshMap();
    map->MapHeader[19] = 2;  // the previous stage had two records
    map->Timeline[0] = {5, 80, 1, 2, 3};
    map->TileMap[7] = 4;
    const std::vector<uint8_t> empty;
    LoadStageMap(empty.data(), empty.size(), "Stage9.map", *map);
    EXPECT_EQ(map->TileMap[7], 4);
    EXPECT_EQ(map->Timeline[0].Position, 5);
    EXPECT_EQ(map->Timeline[2].Position, TimelineNever);
}

TEST(StageMap, OversizedCountsAreRejectedNamingTheFile) {
    auto map = FreshMap();
    map->TileAttributes[0] = 42;
    std::vector<uint8_t> bytes(128 + 256, 0);
    bytes[16] = 0x04;
    bytes[17] = 0x01;  // 1025 columns
    try {
        LoadStageMap(bytes.data(), bytes.size(), "Stage7.map", *map);
        FAIL() << "accepted 1025 columns";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("Stage7.map"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("1025"), std::string::npos);
    }
    EXPECT_EQ(map->TileAttributes[0], 42);  // untouched
    bytes[16] = 0;
    bytes[17] = 0;
    bytes[18] = 0xFF;
    bytes[19] = 0xFF;
    EXPECT_THROW(LoadStageMap(bytes.data(), bytes.size(), "Stage7.map", *map), EInOutError);
    // Exactly 1024 of each fits.
    bytes[16] = 0x04;
    bytes[17] = 0x00;
    bytes[18] = 0x04;
    bytes[19] = 0x00;
    EXPECT_NO_THROW(LoadStageMap(bytes.data(), bytes.size(), "Stage7.map", *map));
}

TEST(StageMap, MissingFileNamesIt) {
    auto map = FreshMap();
    try {
        LoadStageMapFile("/nonexistent-dir/Stage3.map", *map);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("Stage3.map"), std::string::npos);
    }
}

TEST(StageMap, BackgroundTestReadsRowsZeroToFourteenOfTheFirst256Columns) {
    auto map = FreshMap();
    map->TileAttributes[5] = 1;
    map->TileAttributes[6] = 2;  // bit 0 clear: not solid
    map->TileAttributes[0] = 0;
    map->TileMap[3 * 32 + 14] = 5;
    map->TileMap[3 * 32 + 15] = 5;  // row 15 is never read
    map->TileMap[4 * 32 + 0] = 6;
    map->TileMap[256 * 32 + 0] = 5;  // column 256 is never read
    EXPECT_TRUE(MapSolidAt(*map, 3 * 16, 14 * 16));
    EXPECT_TRUE(MapSolidAt(*map, 3 * 16 + 15, 14 * 16 + 15));
    EXPECT_FALSE(MapSolidAt(*map, 3 * 16, 15 * 16));
    EXPECT_TRUE(MapSolidAt(*map, 3 * 16, (32 + 14) * 16));  // rows wrap at 32
    EXPECT_FALSE(MapSolidAt(*map, 4 * 16, 0));
    EXPECT_FALSE(MapSolidAt(*map, 256 * 16, 0));
    EXPECT_FALSE(MapSolidAt(*map, -1, 14 * 16));  // a huge unsigned column
    // Tile 0 solid makes everything outside the read area solid.
    map->TileAttributes[0] = 1;
    EXPECT_TRUE(MapSolidAt(*map, 256 * 16, 0));
}
