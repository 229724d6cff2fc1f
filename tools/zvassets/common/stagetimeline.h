#pragma once
// The timeline block of a stage source: single records, waves of one kind, and objects set
// on the ground or under the ceiling of the terrain as it stands when they appear.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/textsource.h"
#include "zvcommon/stagemap.h"

namespace zvtools {

// The special codes by their source names: terrain, scroll, speed, loop.
const std::map<std::string, int32_t>& TimelineCodeNames();

// One record as written, before it is ordered and placed on the terrain.
struct TimelineEntry {
    enum class Place { AsGiven, Ground, Ceiling };
    TTimelineEvent Event;
    Place Where = Place::AsGiven;
    int32_t Dy = 0;  // added to the surface's y for Ground and Ceiling
    int Line = 0;
};

// Reads one timeline line into entries (a wave gives one per object). previous is the
// position of the line before ("+N" counts from it) and becomes this line's position.
void ParseTimelineLine(const SourceLine& l, const std::string& name, int32_t& previous,
                       std::vector<TimelineEntry>& out);

using TileColumn = std::array<uint8_t, TileColumnBytes>;

// Orders the entries by position (lines of one position keep their order) and gives the
// ground and ceiling entries their y: the stage's scroll is followed from the start, as
// the game runs it, to find the map column under the entry's x when it spawns.
std::vector<TTimelineEvent> ResolveTimeline(
    std::vector<TimelineEntry> entries, const std::vector<TileColumn>& columns,
    const std::array<uint8_t, TileAttributeCount>& attributes, const std::string& name);

}  // namespace zvtools
