#include "common/stagesource.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <map>

#include "common/stagetimeline.h"
#include "common/textsource.h"
#include "zvcommon/stagemap.h"

namespace zvtools {
namespace {

// The character zvtool shows for a tile number.
char TileChar(uint8_t tile) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (tile == 0) return '.';
    return tile < 36 ? digits[tile] : '?';
}

void Put32(std::vector<uint8_t>& b, size_t at, int32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

int32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

}  // namespace

std::string TimelineCodeName(int32_t code) {
    for (const auto& [name, value] : TimelineCodeNames()) {
        if (value == code) return name;
    }
    return std::to_string(code);
}

std::vector<uint8_t> CompileStageSource(const std::string& text, const std::string& name) {
    std::array<int, 256> legend;  // character -> tile, -1 undefined
    legend.fill(-1);
    std::array<uint8_t, TileAttributeCount> attributes{};
    std::vector<TileColumn> columns;
    std::vector<TimelineEntry> entries;
    int32_t previous = 0;  // position of the last timeline line

    enum class Mode { Top, Terrain, Timeline } mode = Mode::Top;
    std::vector<std::string> rows;
    int blockLine = 0;

    auto endTerrain = [&](int line) {
        if (rows.empty()) SourceError(name, line, "empty terrain block");
        if (rows.size() > static_cast<size_t>(TileColumnBytes)) {
            SourceError(name, blockLine, "a terrain block has at most 32 rows");
        }
        const size_t width = rows[0].size();
        for (size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].size() != width) {
                SourceError(name, blockLine + static_cast<int>(r) + 1,
                            "terrain rows of one block must have the same length");
            }
        }
        for (size_t c = 0; c < width; ++c) {
            TileColumn col{};
            for (size_t r = 0; r < rows.size(); ++r) {
                const int tile = legend[static_cast<unsigned char>(rows[r][c])];
                if (tile < 0) {
                    SourceError(name, blockLine + static_cast<int>(r) + 1,
                                std::string("no legend for '") + rows[r][c] + "'");
                }
                col[r] = static_cast<uint8_t>(tile);
            }
            columns.push_back(col);
        }
        rows.clear();
    };

    for (const SourceLine& l : SourceLines(text)) {
        const std::string& key = l.words[0];
        if (mode == Mode::Terrain) {
            if (key == "end") {
                endTerrain(l.number);
                mode = Mode::Top;
            } else {
                if (l.words.size() != 1) SourceError(name, l.number, "a terrain row is one word");
                rows.push_back(key);
            }
            continue;
        }
        if (mode == Mode::Timeline) {
            if (key == "end") {
                mode = Mode::Top;
                continue;
            }
            ParseTimelineLine(l, name, previous, entries);
            continue;
        }
        if (key == "legend") {
            if (l.words.size() < 3 || l.words.size() > 4 || l.words[1].size() != 1) {
                SourceError(name, l.number, "legend is: legend CHAR TILE [solid]");
            }
            const int32_t tile = ParseInt(l.words[2], name, l.number);
            if (tile < 0 || tile > 255) SourceError(name, l.number, "tile numbers are 0..255");
            legend[static_cast<unsigned char>(l.words[1][0])] = tile;
            if (l.words.size() == 4) {
                if (l.words[3] != "solid") SourceError(name, l.number, "unknown tile attribute");
                attributes[tile] |= TileSolidBit;
            }
        } else if (key == "terrain") {
            mode = Mode::Terrain;
            blockLine = l.number;
        } else if (key == "timeline") {
            mode = Mode::Timeline;
        } else {
            SourceError(name, l.number, "unknown line '" + key + "'");
        }
    }
    if (mode != Mode::Top) SourceError(name, 0, "a block is missing its 'end'");
    if (columns.size() > static_cast<size_t>(MaxTileColumns)) {
        SourceError(name, 0, std::to_string(columns.size()) + " columns, at most 1024 fit");
    }
    const std::vector<TTimelineEvent> events = ResolveTimeline(entries, columns, attributes, name);
    if (events.size() > static_cast<size_t>(TimelineCapacity)) {
        SourceError(name, 0, std::to_string(events.size()) + " timeline lines, at most 1024 fit");
    }

    std::vector<uint8_t> out(MapColumnsOffset + TileColumnBytes * columns.size() +
                                 sizeof(TTimelineEvent) * events.size(),
                             0);
    out[MapColumnCountOffset] = static_cast<uint8_t>(columns.size() >> 8);
    out[MapColumnCountOffset + 1] = static_cast<uint8_t>(columns.size() & 255);
    out[MapEventCountOffset] = static_cast<uint8_t>(events.size() >> 8);
    out[MapEventCountOffset + 1] = static_cast<uint8_t>(events.size() & 255);
    std::memcpy(out.data() + MapAttributesOffset, attributes.data(), attributes.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        std::memcpy(out.data() + MapColumnsOffset + TileColumnBytes * c, columns[c].data(),
                    TileColumnBytes);
    }
    const size_t timeline = MapColumnsOffset + TileColumnBytes * columns.size();
    for (size_t e = 0; e < events.size(); ++e) {
        const size_t at = timeline + sizeof(TTimelineEvent) * e;
        Put32(out, at, events[e].Position);
        Put32(out, at + 4, events[e].Code);
        Put32(out, at + 8, events[e].A);
        Put32(out, at + 12, events[e].B);
        Put32(out, at + 16, events[e].Param);
    }
    return out;
}

bool DescribeStageMap(const std::vector<uint8_t>& bytes, std::string& out) {
    std::vector<std::string> problems;
    if (bytes.size() < static_cast<size_t>(MapColumnsOffset)) {
        out += "file of " + std::to_string(bytes.size()) +
               " bytes: shorter than the 384 of the "
               "header and tile attributes\n";
        return false;
    }
    const int32_t columns = MapColumnCount(bytes.data());
    const int32_t events = MapEventCount(bytes.data());
    out += "columns " + std::to_string(columns) + "\n";
    out += "timeline records " + std::to_string(events) + "\n";
    if (columns > MaxTileColumns) problems.push_back("more than 1024 columns");
    if (events > TimelineCapacity) problems.push_back("more than 1024 timeline records");
    const size_t need = MapColumnsOffset + static_cast<size_t>(TileColumnBytes) * columns +
                        sizeof(TTimelineEvent) * events;
    if (bytes.size() < need) {
        problems.push_back("file of " + std::to_string(bytes.size()) + " bytes, its counts need " +
                           std::to_string(need));
    }
    out += "solid tiles:";
    for (int t = 0; t < TileAttributeCount; ++t) {
        if (bytes[MapAttributesOffset + t] & TileSolidBit) out += " " + std::to_string(t);
    }
    out += "\n";
    const int32_t shown = std::min<int32_t>(columns, MaxTileColumns);
    const size_t whole =
        std::min<size_t>(shown, (bytes.size() - MapColumnsOffset) / TileColumnBytes);
    // Terrain in blocks of 64 columns, rows 0..14 (the ones the background test reads) and
    // any further row that holds a tile.
    for (size_t first = 0; first < whole; first += 64) {
        const size_t last = std::min(whole, first + 64);
        out += "terrain columns " + std::to_string(first) + ".." + std::to_string(last - 1) +
               " (tile 0 '.', tiles 1..35 as 1..9 A..Z):\n";
        for (int r = 0; r < TileColumnBytes; ++r) {
            std::string row;
            for (size_t c = first; c < last; ++c) {
                row += TileChar(bytes[MapColumnsOffset + TileColumnBytes * c + r]);
            }
            if (r >= SolidRows && row.find_first_not_of('.') == std::string::npos) continue;
            out += (r < 10 ? " " : "") + std::to_string(r) + " " + row + "\n";
        }
    }
    out += "timeline (position code a b param):\n";
    const size_t timeline = MapColumnsOffset + static_cast<size_t>(TileColumnBytes) * columns;
    int32_t last = INT32_MIN;
    for (int32_t e = 0; e < std::min<int32_t>(events, TimelineCapacity); ++e) {
        const size_t at = timeline + sizeof(TTimelineEvent) * e;
        if (at + sizeof(TTimelineEvent) > bytes.size()) break;
        const int32_t pos = Get32(bytes, at), code = Get32(bytes, at + 4);
        out += "  " + std::to_string(pos) + " " + TimelineCodeName(code) + " " +
               std::to_string(Get32(bytes, at + 8)) + " " + std::to_string(Get32(bytes, at + 12)) +
               " " + std::to_string(Get32(bytes, at + 16)) + "\n";
        if (pos < last) problems.push_back("record " + std::to_string(e) + " goes back in time");
        const bool special = code >= CodeTerrain && code <= CodeLoop;
        if (!special && (code < 0 || code > 255)) {
            problems.push_back("record " + std::to_string(e) + " spawns kind " +
                               std::to_string(code) + ", outside the kind table");
        }
        last = pos;
    }
    for (const auto& p : problems) out += "problem: " + p + "\n";
    return problems.empty();
}

}  // namespace zvtools
