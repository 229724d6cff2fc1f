#include "replays/digest.h"

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace replay {

std::vector<std::pair<std::string, std::string>> TopLevelFields(const std::string& line) {
    std::vector<std::pair<std::string, std::string>> out;
    int depth = 0;
    bool inString = false, escaped = false, readingKey = false, inValue = false;
    std::string key, value;
    for (char c : line) {
        if (inValue) value += c;
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
                readingKey = false;
            } else if (readingKey) {
                key += c;
            }
            continue;
        }
        switch (c) {
            case '"':
                inString = true;
                if (depth == 1 && !inValue) {
                    readingKey = true;
                    key.clear();
                }
                break;
            case ':':
                if (depth == 1 && !inValue) {
                    inValue = true;
                    value.clear();
                }
                break;
            case '{':
            case '[':
                ++depth;
                break;
            case '}':
            case ']':
                if (--depth == 0 && inValue) {
                    value.pop_back();
                    out.emplace_back(key, value);
                    inValue = false;
                }
                break;
            case ',':
                if (depth == 1 && inValue) {
                    value.pop_back();
                    out.emplace_back(key, value);
                    inValue = false;
                }
                break;
            default:
                break;
        }
    }
    return out;
}

uint32_t Fnv1a(const std::string& s) {
    uint32_t h = 2166136261u;
    for (unsigned char c : s) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

Digest MakeDigest(const std::vector<std::string>& dump) {
    Digest d;
    for (size_t w = 0; w * WindowTicks < dump.size(); ++w) {
        std::map<std::string, std::string> joined;  // field -> its values over the window
        std::vector<std::string> order;
        for (size_t i = w * WindowTicks; i < dump.size() && i < (w + 1) * WindowTicks; ++i) {
            d.ticks.push_back(Fnv1a(dump[i]));
            for (const auto& [k, v] : TopLevelFields(dump[i])) {
                if (!joined.count(k)) order.push_back(k);
                joined[k] += std::to_string(i) + "=" + v + "\n";
            }
        }
        std::vector<std::pair<std::string, uint32_t>> fields;
        for (const auto& k : order) fields.emplace_back(k, Fnv1a(joined[k]));
        d.windows.push_back(std::move(fields));
    }
    return d;
}

std::string FormatDigest(const Digest& d) {
    std::string out =
        "# Replay digest: 't' lines hold the hash of each tick's dump line, 60 to a line;\n"
        "# 'f' lines the hash of each top-level field over the same 60 ticks.\n";
    char buf[16];
    for (size_t w = 0; w < d.windows.size(); ++w) {
        out += "t";
        for (size_t i = w * WindowTicks; i < d.ticks.size() && i < (w + 1) * WindowTicks; ++i) {
            std::snprintf(buf, sizeof buf, " %08x", d.ticks[i]);
            out += buf;
        }
        out += "\nf";
        for (const auto& [k, h] : d.windows[w]) {
            std::snprintf(buf, sizeof buf, "=%08x", h);
            out += " " + k + buf;
        }
        out += "\n";
    }
    return out;
}

bool ParseDigest(const std::string& text, Digest& out, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string tag, word;
        words >> tag;
        if (tag == "t") {
            while (words >> word)
                out.ticks.push_back(static_cast<uint32_t>(std::stoul(word, nullptr, 16)));
        } else if (tag == "f") {
            std::vector<std::pair<std::string, uint32_t>> fields;
            while (words >> word) {
                const size_t eq = word.rfind('=');
                if (eq == std::string::npos) {
                    error = "line " + std::to_string(lineNo) + ": bad field '" + word + "'";
                    return false;
                }
                fields.emplace_back(word.substr(0, eq), static_cast<uint32_t>(std::stoul(
                                                            word.substr(eq + 1), nullptr, 16)));
            }
            out.windows.push_back(std::move(fields));
        } else {
            error = "line " + std::to_string(lineNo) + ": unknown tag '" + tag + "'";
            return false;
        }
    }
    return true;
}

Difference Compare(const Digest& golden, const Digest& now) {
    Difference d;
    const size_t n = std::min(golden.ticks.size(), now.ticks.size());
    size_t i = 0;
    while (i < n && golden.ticks[i] == now.ticks[i]) ++i;
    if (i == n && golden.ticks.size() == now.ticks.size()) return d;
    d.same = false;
    d.tick = static_cast<int64_t>(i) + 1;
    d.window = static_cast<int64_t>(i) / WindowTicks;
    if (i == n) {
        d.reason = "the play has " + std::to_string(now.ticks.size()) + " ticks, the golden " +
                   std::to_string(golden.ticks.size());
        return d;
    }
    const size_t w = static_cast<size_t>(d.window);
    std::map<std::string, uint32_t> old(golden.windows[w].begin(), golden.windows[w].end());
    std::set<std::string> seen;
    for (const auto& [k, h] : now.windows[w]) {
        seen.insert(k);
        auto it = old.find(k);
        if (it == old.end() || it->second != h) d.fields.push_back(k);
    }
    for (const auto& [k, h] : golden.windows[w])
        if (!seen.count(k)) d.fields.push_back(k + " (gone)");
    d.reason = "first difference at tick " + std::to_string(d.tick);
    return d;
}

}  // namespace replay
