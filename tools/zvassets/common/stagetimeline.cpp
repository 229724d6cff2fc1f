#include "common/stagetimeline.h"

#include <algorithm>
#include <map>

#include "world/play.h"

namespace zvtools {

const std::map<std::string, int32_t>& TimelineCodeNames() {
    static const std::map<std::string, int32_t> names = {{"terrain", CodeTerrain},
                                                         {"scroll", CodeScroll},
                                                         {"speed", CodeScrollSpeed},
                                                         {"loop", CodeLoop}};
    return names;
}

namespace {

constexpr int32_t TilePixels = 16;
constexpr int32_t MapWrapY = 512;      // terrain stages keep ScrollY in 0..512
constexpr int32_t StartSpeedX = 8;     // the scroll speed every stage starts with
constexpr int32_t MaxWaveCount = 256;  // more than the object table holds

int32_t KindOf(const std::string& word, const std::string& name, int line) {
    const int32_t kind = ParseInt(word, name, line);
    if (kind < 1 || kind > 255) SourceError(name, line, "a kind to spawn is 1..255");
    return kind;
}

// The words after the fixed ones: "[DX DY] [param P]" for waves, "[DY] [param P]" for
// ground and ceiling; numbers is how many plain numbers may come first.
void Optional(const SourceLine& l, const std::string& name, size_t from, size_t numbers,
              std::vector<int32_t>& values, int32_t& param) {
    size_t i = from;
    while (i < l.words.size() && l.words[i] != "param") {
        values.push_back(ParseInt(l.words[i], name, l.number));
        ++i;
    }
    if (values.size() != 0 && values.size() != numbers) {
        SourceError(name, l.number, "expected " + std::to_string(numbers) + " offsets");
    }
    if (i < l.words.size()) {
        if (i + 2 != l.words.size()) SourceError(name, l.number, "'param' takes one value");
        param = ParseInt(l.words[i + 1], name, l.number);
    }
}

}  // namespace

void ParseTimelineLine(const SourceLine& l, const std::string& name, int32_t& previous,
                       std::vector<TimelineEntry>& out) {
    if (l.words.size() < 2) SourceError(name, l.number, "a timeline line is: POSITION CODE ...");
    const std::string& at = l.words[0];
    int32_t position = 0;
    if (at[0] == '+') {
        position = previous + ParseInt(at.substr(1), name, l.number);
    } else {
        position = ParseInt(at, name, l.number);
    }
    if (position < previous) SourceError(name, l.number, "timeline positions must not go down");
    if (position == TimelineNever) SourceError(name, l.number, "position 2147483647 never fires");
    previous = position;

    const std::string& code = l.words[1];
    TimelineEntry e;
    e.Line = l.number;
    e.Event.Position = position;
    if (code == "wave") {
        // wave KIND X Y COUNT EVERY [DX DY] [param P]
        if (l.words.size() < 7) {
            SourceError(name, l.number,
                        "a wave is: POSITION wave KIND X Y COUNT EVERY [DX DY] [param P]");
        }
        e.Event.Code = KindOf(l.words[2], name, l.number);
        e.Event.A = ParseInt(l.words[3], name, l.number);
        e.Event.B = ParseInt(l.words[4], name, l.number);
        const int32_t count = ParseInt(l.words[5], name, l.number);
        const int32_t every = ParseInt(l.words[6], name, l.number);
        if (count < 1 || count > MaxWaveCount)
            SourceError(name, l.number, "a wave has 1..256 objects");
        if (every < 0) SourceError(name, l.number, "a wave's interval is 0 or more frames");
        std::vector<int32_t> step;
        Optional(l, name, 7, 2, step, e.Event.Param);
        for (int32_t i = 0; i < count; ++i) {
            TimelineEntry one = e;
            one.Event.Position = position + i * every;
            if (!step.empty()) {
                one.Event.A += i * step[0];
                one.Event.B += i * step[1];
            }
            out.push_back(one);
        }
        return;
    }
    if (code == "ground" || code == "ceiling") {
        // ground KIND X [DY] [param P]
        if (l.words.size() < 4) {
            SourceError(name, l.number,
                        "a placement is: POSITION " + code + " KIND X [DY] [param P]");
        }
        e.Where = code == "ground" ? TimelineEntry::Place::Ground : TimelineEntry::Place::Ceiling;
        e.Event.Code = KindOf(l.words[2], name, l.number);
        e.Event.A = ParseInt(l.words[3], name, l.number);
        std::vector<int32_t> dy;
        Optional(l, name, 4, 1, dy, e.Event.Param);
        if (!dy.empty()) e.Dy = dy[0];
        out.push_back(e);
        return;
    }
    if (l.words.size() > 5) {
        SourceError(name, l.number, "a timeline line is: POSITION CODE [A [B [PARAM]]]");
    }
    auto special = TimelineCodeNames().find(code);
    e.Event.Code =
        special != TimelineCodeNames().end() ? special->second : KindOf(code, name, l.number);
    int32_t* fields[3] = {&e.Event.A, &e.Event.B, &e.Event.Param};
    for (size_t i = 2; i < l.words.size(); ++i) {
        const bool none = e.Event.Code == CodeLoop && i == 3 && l.words[i] == "none";
        *fields[i - 2] = none ? NoLoop : ParseInt(l.words[i], name, l.number);
    }
    out.push_back(e);
}

std::vector<TTimelineEvent> ResolveTimeline(
    std::vector<TimelineEntry> entries, const std::vector<TileColumn>& columns,
    const std::array<uint8_t, TileAttributeCount>& attributes, const std::string& name) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TimelineEntry& a, const TimelineEntry& b) {
                         return a.Event.Position < b.Event.Position;
                     });
    // The scroll as a stage runs it: the records of a position fire before that frame's
    // scroll step, and clock 0 is the first step of the stage's preparation.
    bool terrain = false;
    int32_t scrollX = 0, scrollY = 0, speedX = StartSpeedX, speedY = 0;
    int32_t loopStart = 0, loopLength = NoLoop;
    auto solid = [&](int32_t column, int32_t row) {
        if (column < 0 || column >= static_cast<int32_t>(columns.size())) return false;
        return (attributes[columns[column][row]] & TileSolidBit) != 0;
    };
    auto place = [&](TimelineEntry& e) {
        if (!terrain) SourceError(name, e.Line, "ground and ceiling need a stage with terrain");
        const int32_t column =
            static_cast<int32_t>(static_cast<uint32_t>(e.Event.A + scrollX) >> 4);
        const bool ground = e.Where == TimelineEntry::Place::Ground;
        int32_t row = ground ? SolidRows - 1 : 0;
        const int32_t step = ground ? -1 : 1;
        if (!solid(column, row)) {
            SourceError(name, e.Line,
                        std::string("no ") + (ground ? "ground" : "ceiling") + " under x " +
                            std::to_string(e.Event.A) + " at " + std::to_string(e.Event.Position) +
                            " (map column " + std::to_string(column) + ")");
        }
        while (row >= 0 && row < SolidRows && solid(column, row)) row += step;
        const int32_t surface = ground ? (row + 1) * TilePixels : row * TilePixels;
        e.Event.B = surface - scrollY + e.Dy;
    };
    int32_t lastPlaced = -1;  // nothing to follow past the last placement
    for (const auto& e : entries) {
        if (e.Where != TimelineEntry::Place::AsGiven) lastPlaced = e.Event.Position;
    }
    size_t next = 0;
    for (int32_t clock = 0; next < entries.size() && clock <= lastPlaced; ++clock) {
        while (next < entries.size() && entries[next].Event.Position <= clock) {
            TimelineEntry& e = entries[next++];
            switch (e.Event.Code) {
                case CodeTerrain:
                    terrain = e.Event.A != 0;
                    break;
                case CodeScroll:
                    scrollX = e.Event.A;
                    scrollY = e.Event.B;
                    break;
                case CodeScrollSpeed:
                    speedX = e.Event.A;
                    speedY = e.Event.B;
                    break;
                case CodeLoop:
                    loopStart = e.Event.A;
                    loopLength = e.Event.B;
                    break;
                default:
                    if (e.Where != TimelineEntry::Place::AsGiven) place(e);
                    break;
            }
        }
        scrollX += ScrollStepFor(speedX, clock);
        scrollY += ScrollStepFor(speedY, clock);
        if (terrain) {
            if (static_cast<int64_t>(scrollX) >= static_cast<int64_t>(loopStart) + loopLength) {
                scrollX = loopStart;
            }
            if (scrollY > MapWrapY) {
                scrollY -= MapWrapY;
            } else if (scrollY < 0) {
                scrollY += MapWrapY;
            }
        }
    }
    std::vector<TTimelineEvent> out;
    out.reserve(entries.size());
    for (const auto& e : entries) out.push_back(e.Event);
    return out;
}

}  // namespace zvtools
