#pragma once
// Golden digests of seeded plays: a hash of every tick's dump line and, per window of 60
// ticks, a hash of each top-level field, so a change names its first tick and its fields.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace replay {

constexpr int32_t WindowTicks = 60;

// The top-level "key": value pairs of one JSON object line, values as raw text.
std::vector<std::pair<std::string, std::string>> TopLevelFields(const std::string& line);
uint32_t Fnv1a(const std::string& s);

struct Digest {
    std::vector<uint32_t> ticks;  // one hash per dump line
    // Per window: field name -> hash of its values over the window's lines.
    std::vector<std::vector<std::pair<std::string, uint32_t>>> windows;
};

Digest MakeDigest(const std::vector<std::string>& dump);
std::string FormatDigest(const Digest& d);
bool ParseDigest(const std::string& text, Digest& out, std::string& error);

struct Difference {
    bool same = true;
    int64_t tick = 0;                 // first tick whose line differs (1-based)
    int64_t window = 0;               // its window (0-based)
    std::vector<std::string> fields;  // the fields that differ in that window
    std::string reason;
};
Difference Compare(const Digest& golden, const Digest& now);

}  // namespace replay
