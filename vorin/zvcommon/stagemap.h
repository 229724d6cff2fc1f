#pragma once
// Stage map files ("Stage" n ".map"): a 128-byte header, the tile attribute table, the tile
// columns and the timeline. The loader fills one block that lives for the whole program.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int32_t MapHeaderSize = 128;
constexpr int32_t TileAttributeCount = 256;
constexpr int32_t TileColumnBytes = 32;                            // one column: rows 0..31
constexpr int32_t MaxTileColumns = 1024;                           // capacity of TileMap
constexpr int32_t TimelineCapacity = 1024;                         // capacity of Timeline
constexpr int32_t TileMapSize = TileColumnBytes * MaxTileColumns;  // 0x8000 bytes
constexpr int32_t SolidColumns = 256;  // columns the background test reads
constexpr int32_t SolidRows = 15;      // rows the background test reads
constexpr uint8_t TileSolidBit = 1;    // bit 0 of a tile attribute: solid

// Offsets in the file.
constexpr int32_t MapColumnCountOffset = 16;  // big-endian 16-bit column count
constexpr int32_t MapEventCountOffset = 18;   // big-endian 16-bit event count
constexpr int32_t MapAttributesOffset = 128;
constexpr int32_t MapColumnsOffset = 384;

// Special timeline codes; any other code is an object kind to spawn.
constexpr int32_t CodeTerrain = static_cast<int32_t>(0x80000000u);      // HasTerrain = a != 0
constexpr int32_t CodeScroll = static_cast<int32_t>(0x80000001u);       // ScrollX = a, ScrollY = b
constexpr int32_t CodeScrollSpeed = static_cast<int32_t>(0x80000002u);  // ScrollSpeedX/Y = a, b
constexpr int32_t CodeLoop = static_cast<int32_t>(0x80000003u);         // LoopStart, LoopLength
constexpr int32_t TimelineNever = 0x7FFFFFFF;  // position of the records after the last one
constexpr int32_t NoLoop = 0x7FFFFFFF;         // LoopLength of a stage without a loop

// One timeline record as the file stores it: five little-endian int32.
struct TTimelineEvent {
    int32_t Position = 0;  // StageClock value at which it fires
    int32_t Code = 0;      // object kind, or CodeTerrain..CodeLoop
    int32_t A = 0;
    int32_t B = 0;
    int32_t Param = 0;
};
static_assert(sizeof(TTimelineEvent) == 20, "timeline records are 20 bytes in the file");

// The map block, filled in place by the loader.
struct TStageMap {
    uint8_t TileMap[TileMapSize];                // column k = bytes k*32 .. k*32+31
    uint8_t MapHeader[MapHeaderSize];            // the file's header
    TTimelineEvent Timeline[TimelineCapacity];   // records 0..E-1, then never-firing ones
    uint8_t TileAttributes[TileAttributeCount];  // per tile number; bit 0 = solid
};

// Column count C and event count E of a header.
int32_t MapColumnCount(const uint8_t* header);
int32_t MapEventCount(const uint8_t* header);

// Loads a stage file image into the block. A short image is read as far as it goes; what it
// does not cover keeps its previous content. An image that declares more than 1024 columns
// or records is rejected (EInOutError naming fileName) and the block is left as it was.
void LoadStageMap(const uint8_t* data, size_t size, const std::string& fileName, TStageMap& map);
// Reads the file and loads it; a missing or unreadable file throws EInOutError naming it.
void LoadStageMapFile(const std::string& path, TStageMap& map);

// Background test at a point of the tile plane (screen point plus scroll): bit 0 of the
// attribute of the tile there, columns 0..255 and rows 0..14 only.
bool MapSolidAt(const TStageMap& map, int32_t planeX, int32_t planeY);
