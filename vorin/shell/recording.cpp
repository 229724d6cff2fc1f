#include "shell/recording.h"

#include <charconv>
#include <concepts>
#include <cerrno>
#include <cstring>
#include <utility>
#include <sstream>

namespace {

constexpr const char* FormatLine = "# Zelvorin recorded play";

bool ToInt(const std::string& s, int64_t& v) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    return ec == std::errc() && p == end && !s.empty();
}

// Header values of the option and setting types.
template <std::integral T>
std::string Text(T v) {
    return std::to_string(v);
}
[[maybe_unused]] std::string Text(bool v) {
    return v ? "1" : "0";
}
[[maybe_unused]] std::string Text(const std::string& v) {
    return v;
}
template <std::integral T>
bool FromText(const std::string& s, T& v) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    return ec == std::errc() && p == end && !s.empty();
}
[[maybe_unused]] bool FromText(const std::string& s, bool& v) {
    if (s != "0" && s != "1") return false;
    v = s == "1";
    return true;
}
[[maybe_unused]] bool FromText(const std::string& s, std::string& v) {
    v = s;
    return true;
}

// One play-changing option: its header key and its field in Options.
struct TPlayOption {
    const char* Key;
    std::string (*Get)(const Options&);
    bool (*Set)(Options&, const std::string&);
};
template <auto Member>
constexpr TPlayOption Field(const char* key) {
    return {key, [](const Options& o) { return Text(o.*Member); },
            [](Options& o, const std::string& s) { return FromText(s, o.*Member); }};
}
// Every option that changes the play, one line each.
// The menu settings are kept as given and parsed again on playback.
constexpr TPlayOption Difficulty{"difficulty", [](const Options& o) { return o.difficultyText; },
                                 [](Options& o, const std::string& s) {
                                     std::string error;
                                     o.difficultyText = s;
                                     return s.empty() || ParseDifficultyOption(s, o.choice, error);
                                 }};
constexpr TPlayOption Hells{"hells", [](const Options& o) { return o.hellsText; },
                            [](Options& o, const std::string& s) {
                                std::string error;
                                o.hellsText = s;
                                return s.empty() || ParseHellsOption(s, o.choice, error);
                            }};
const TPlayOption PlayOptionTable[] = {
    Field<&Options::stage>("stage"),
    Field<&Options::character>("character"),
    Difficulty,
    Hells,
    Field<&Options::invulnerable>("invulnerable"),
    Field<&Options::atBoss>("at-boss"),
};

}  // namespace

std::vector<std::pair<std::string, std::string>> PlayOptionsOf(const Options& o) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& p : PlayOptionTable) out.emplace_back(p.Key, p.Get(o));
    return out;
}

bool ApplyPlayOption(const std::string& key, const std::string& value, Options& o,
                     std::string& error) {
    for (const auto& p : PlayOptionTable) {
        if (key != p.Key) continue;
        if (p.Set(o, value)) return true;
        error = "bad value '" + value + "' for " + key;
        return false;
    }
    error = "unknown play option '" + key + "'";
    return false;
}

std::string RecordingHeader(const TRecording& r) {
    std::string h = std::string(FormatLine) + "\n";
    auto line = [&](const std::string& key, const std::string& value) {
        h += "# " + key + "=" + value + "\n";
    };
    line("version", r.Version);
    line("seed", Text(r.Seed));
    for (const auto& [k, v] : r.PlayOptions) line("option." + k, v);
    for (const auto& f : SettingKeys)
        line(std::string("setting.") + f.Name, Text(r.Settings.*f.Field));
    std::string scores;
    for (const TScoreEntry& e : r.Scores)
        scores += (scores.empty() ? "" : " ") + Text(e.Score) + ":" + Text(e.Character);
    line("scores", scores);
    line("joystick", r.Joystick ? Text(r.JoyAtStart.x) + " " + Text(r.JoyAtStart.y) + " " +
                                      Text(r.JoyAtStart.buttons)
                                : "none");
    return h;
}

std::string RecordingEventLine(const ScriptEvent& ev) {
    if (ev.key == 0)
        return Text(ev.tick) + " joy " + Text(ev.update) + " " + Text(ev.joyX) + " " +
               Text(ev.joyY) + " " + Text(ev.joyButtons);
    return Text(ev.tick) + " " + KeyName(ev.key) + (ev.down ? " down" : " up");
}

bool ParseRecording(const std::string& text, const std::string& version, TRecording& out,
                    std::string& error) {
    out = TRecording{};
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != FormatLine) {
        error = "not a recorded play (the first line is not '" + std::string(FormatLine) + "')";
        return false;
    }
    std::string events = line + "\n";  // line numbers of the events stay the file's
    bool haveVersion = false, haveSeed = false;
    for (int lineNo = 2; std::getline(in, line); ++lineNo) {
        events += line + "\n";  // header lines are comments to the script reader
        if (line.rfind("# ", 0) != 0) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(2, eq - 2), value = line.substr(eq + 1);
        auto bad = [&](const std::string& why) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        int64_t n = 0;
        if (key == "version") {
            out.Version = value;
            haveVersion = true;
            if (value != version) {
                error = "recorded by Zelvorin " + value + "; this is Zelvorin " + version +
                        ", which cannot play it back exactly";
                return false;
            }
        } else if (key == "seed") {
            if (!ToInt(value, out.Seed) || out.Seed < 0 || out.Seed > UINT32_MAX)
                return bad("bad seed");
            haveSeed = true;
        } else if (key == "end") {
            if (!ToInt(value, out.End) || out.End < 0) return bad("bad end tick");
        } else if (key.rfind("option.", 0) == 0) {
            out.PlayOptions.emplace_back(key.substr(7), value);
        } else if (key.rfind("setting.", 0) == 0) {
            bool known = false;
            for (const auto& f : SettingKeys) {
                if (key.substr(8) != f.Name) continue;
                if (!ToInt(value, n) || n < INT32_MIN || n > INT32_MAX) return bad("bad " + key);
                out.Settings.*f.Field = static_cast<int32_t>(n);
                known = true;
            }
            if (!known) return bad("unknown setting '" + key.substr(8) + "'");
        } else if (key == "scores") {
            std::istringstream words(value);
            std::string w;
            size_t k = 0;
            for (; words >> w; ++k) {
                const size_t colon = w.find(':');
                int64_t score = 0, character = 0;
                if (k >= ScoreEntries || colon == std::string::npos ||
                    !ToInt(w.substr(0, colon), score) || !ToInt(w.substr(colon + 1), character) ||
                    score < INT32_MIN || score > INT32_MAX || character < INT32_MIN ||
                    character > INT32_MAX)
                    return bad("bad score table");
                out.Scores[k] = {static_cast<int32_t>(score), static_cast<int32_t>(character)};
            }
            if (k != ScoreEntries) return bad("bad score table");
        } else if (key == "joystick") {
            if (value == "none") continue;
            std::istringstream words(value);
            int64_t x = 0, y = 0, b = 0;
            std::string rest;
            if (!(words >> x >> y >> b) || (words >> rest) || x < 0 || x > 65535 || y < 0 ||
                y > 65535 || b < 0 || b > 255)
                return bad("bad joystick reading");
            out.Joystick = true;
            out.JoyAtStart = {static_cast<uint32_t>(x), static_cast<uint32_t>(y), 0,
                              static_cast<uint32_t>(b)};
        } else {
            return bad("unknown header key '" + key + "'");
        }
    }
    if (!haveVersion || !haveSeed) {
        error = "the header has no version or no seed";
        return false;
    }
    if (!ParseInputScript(events, out.Events, error)) return false;
    return true;
}

TRecorder::~TRecorder() {
    if (file_) std::fclose(file_);
}

bool TRecorder::Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) == text.size() && std::fflush(file_) == 0)
        return true;
    error_ = "the recording " + path_ + " cannot be written: " + std::strerror(errno);
    std::fclose(file_);
    file_ = nullptr;
    return false;
}

bool TRecorder::Open(const std::string& path, const TRecording& header, std::string& error) {
    path_ = path;
    error_.clear();
    told_ = false;
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
        error = "the recording " + path + " cannot be written: " + std::strerror(errno);
        return false;
    }
    if (!Write(RecordingHeader(header))) {
        error = TakeError();
        return false;
    }
    return true;
}

void TRecorder::Event(const ScriptEvent& ev) {
    if (file_) Write(RecordingEventLine(ev) + "\n");
}

bool TRecorder::Finish(int64_t lastTick, std::string& error) {
    if (file_ && Write("# end=" + std::to_string(lastTick) + "\n") &&
        std::fclose(std::exchange(file_, nullptr)) != 0)
        error_ = "the recording " + path_ + " cannot be written: " + std::strerror(errno);
    if (!Failed() || told_) return true;
    error = TakeError();
    return false;
}

std::string TRecorder::TakeError() {
    told_ = true;
    return error_;
}
