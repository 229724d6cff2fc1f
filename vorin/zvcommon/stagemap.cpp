#include "zvcommon/stagemap.h"

#include <algorithm>
#include <cstring>

#include "base/paths.h"
#include "zvcommon/readfile.h"

int32_t MapColumnCount(const uint8_t* header) {
    return header[MapColumnCountOffset] * 256 + header[MapColumnCountOffset + 1];
}

int32_t MapEventCount(const uint8_t* header) {
    return header[MapEventCountOffset] * 256 + header[MapEventCountOffset + 1];
}

namespace {
// Sequential block reads as the game does them: each read takes what is left, up to its size.
struct BlockReader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    void Read(void* dest, size_t want) {
        size_t n = std::min(want, size - pos);
        if (n > 0) std::memcpy(dest, data + pos, n);
        pos += n;
    }
};
}  // namespace

void LoadStageMap(const uint8_t* data, size_t size, const std::string& fileName, TStageMap& map) {
    // The counts come from the header as it will stand after the read (bytes the file does
    // not cover keep the previous stage's values), so check them before touching the block.
    uint8_t header[MapHeaderSize];
    std::memcpy(header, map.MapHeader, sizeof header);
    if (size > 0) std::memcpy(header, data, std::min<size_t>(size, MapHeaderSize));  // may be null
    const int32_t columns = MapColumnCount(header);
    const int32_t events = MapEventCount(header);
    if (columns > MaxTileColumns) {
        throw EInOutError(fileName + ": declares " + std::to_string(columns) +
                          " tile columns, more than " + std::to_string(MaxTileColumns));
    }
    if (events > TimelineCapacity) {
        throw EInOutError(fileName + ": declares " + std::to_string(events) +
                          " timeline records, more than " + std::to_string(TimelineCapacity));
    }
    BlockReader in{data, size};
    in.Read(map.MapHeader, MapHeaderSize);
    in.Read(map.TileAttributes, TileAttributeCount);
    in.Read(map.TileMap, static_cast<size_t>(TileColumnBytes) * columns);
    in.Read(map.Timeline, sizeof(TTimelineEvent) * events);
    for (int32_t i = events; i < TimelineCapacity; ++i) map.Timeline[i].Position = TimelineNever;
}

void LoadStageMapFile(const std::string& path, TStageMap& map) {
    const std::vector<uint8_t> bytes = ReadDataFile(path);
    LoadStageMap(bytes.data(), bytes.size(), path, map);
}

bool MapSolidAt(const TStageMap& map, int32_t planeX, int32_t planeY) {
    const uint32_t column = static_cast<uint32_t>(planeX) >> 4;
    const uint32_t row = (static_cast<uint32_t>(planeY) >> 4) & 31;
    uint8_t tile = 0;
    if (row < static_cast<uint32_t>(SolidRows) && column < static_cast<uint32_t>(SolidColumns)) {
        tile = map.TileMap[column * TileColumnBytes + row];
    }
    return (map.TileAttributes[tile] & TileSolidBit) != 0;
}
