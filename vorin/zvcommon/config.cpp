#include "zvcommon/config.h"

#include <sys/stat.h>

#include <vector>

#include "base/paths.h"
#include "krdxlib/atomicfile.h"

// The settings in use, read at start-up and edited by the configuration screen.
TSettings Settings;

namespace {

constexpr std::string_view SectionName = "Input";
constexpr size_t MaxConfigSize = size_t{1} << 20;  // far beyond any real file

}  // namespace

// The reader asks for the keys in this order, each with its own default.
const TConfigKey SettingKeys[SettingCount] = {
    {"ButtonA", &TSettings::ButtonA},         {"ButtonB", &TSettings::ButtonB},
    {"ButtonC", &TSettings::ButtonC},         {"AnchorKouten", &TSettings::AnchorKouten},
    {"AnchorJiten", &TSettings::AnchorJiten}, {"SpeedOff", &TSettings::SpeedOff},
    {"SpeedManual", &TSettings::SpeedManual}, {"SpeedAuto", &TSettings::SpeedAuto},
    {"SpeedCharge", &TSettings::SpeedCharge},
};

namespace {
// The writer's order; "Speedcharge" is spelt with a lower-case c in files the game writes.
constexpr TConfigKey WriteKeys[] = {
    {"ButtonA", &TSettings::ButtonA},           {"ButtonB", &TSettings::ButtonB},
    {"ButtonC", &TSettings::ButtonC},           {"AnchorJiten", &TSettings::AnchorJiten},
    {"AnchorKouten", &TSettings::AnchorKouten}, {"SpeedOff", &TSettings::SpeedOff},
    {"SpeedManual", &TSettings::SpeedManual},   {"SpeedAuto", &TSettings::SpeedAuto},
    {"Speedcharge", &TSettings::SpeedCharge},
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

enum class LineKind { Other, Section, Key };

// What one line of the file is: a section header with its name, a key line with key and
// value, or anything else (blank lines, comments, text without an equals sign).
struct TLine {
    LineKind Kind = LineKind::Other;
    std::string_view Name;  // section name or key
    std::string_view Value;
};

TLine Classify(std::string_view raw) {
    const std::string_view s = Trim(raw);
    TLine line;
    if (s.empty() || s.front() == ';') return line;
    if (s.front() == '[') {
        std::string_view name = s.substr(1);
        const size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        line.Kind = LineKind::Section;
        line.Name = Trim(name);
        return line;
    }
    const size_t eq = s.find('=');
    if (eq == std::string_view::npos) return line;
    line.Name = Trim(s.substr(0, eq));
    if (line.Name.empty()) return line;
    std::string_view value = Trim(s.substr(eq + 1));
    // A value in matching quotes loses them, as the platform's reader does.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    line.Kind = LineKind::Key;
    line.Value = value;
    return line;
}

// The file split into lines (without their line ends) and the line end it uses.
struct TConfigLines {
    std::vector<std::string_view> Lines;
    std::string_view Eol = "\n";
};

TConfigLines SplitLines(std::string_view text) {
    TConfigLines out;
    const size_t firstLf = text.find('\n');
    const bool crlf = firstLf != std::string_view::npos && firstLf > 0 && text[firstLf - 1] == '\r';
    if (crlf) out.Eol = "\r\n";
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        // Every trailing carriage return goes, so lines are rejoined with one line end
        // throughout and a second write over the result reproduces it exactly.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.Lines.push_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return out;
}

// Index of the first line of the first section called "Input" and one past its last line.
bool FindSection(const std::vector<std::string_view>& lines, size_t& begin, size_t& end) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const TLine l = Classify(lines[i]);
        if (l.Kind != LineKind::Section || !SameName(l.Name, SectionName)) continue;
        begin = i + 1;
        end = begin;
        while (end < lines.size() && Classify(lines[end]).Kind != LineKind::Section) ++end;
        return true;
    }
    return false;
}

bool ParseHex(std::string_view s, int32_t& value) {
    if (s.empty()) return false;
    uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (Lower(c) >= 'a' && Lower(c) <= 'f')
            d = Lower(c) - 'a' + 10;
        else
            return false;
        v = v * 16 + static_cast<uint64_t>(d);
        if (v > 0xffffffffu) return false;
    }
    value = static_cast<int32_t>(static_cast<uint32_t>(v));  // all 32 bits, as the platform reads
    return true;
}

bool ParseDecimal(std::string_view s, int32_t& value) {
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > int64_t{1} << 31) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

}  // namespace

bool ParseConfigValue(std::string_view text, int32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.substr(2), value);
    if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1), value);
    return ParseDecimal(text, value);
}

void ReadConfigText(std::string_view text, TSettings& settings) {
    const TConfigLines file = SplitLines(text);
    size_t begin = 0, end = 0;
    const bool found = FindSection(file.Lines, begin, end);
    const TSettings defaults;
    for (const TConfigKey& key : SettingKeys) {
        int32_t value = defaults.*key.Field;
        for (size_t i = begin; found && i < end; ++i) {
            const TLine l = Classify(file.Lines[i]);
            if (l.Kind != LineKind::Key || !SameName(l.Name, key.Name)) continue;
            if (!ParseConfigValue(l.Value, value)) value = defaults.*key.Field;
            break;
        }
        settings.*key.Field = value;
    }
}

std::string UpdateConfigText(std::string_view text, const TSettings& settings) {
    const TConfigLines file = SplitLines(text);
    std::vector<std::string> lines(file.Lines.begin(), file.Lines.end());
    size_t begin = 0, end = 0;
    if (!FindSection(file.Lines, begin, end)) {
        lines.push_back("[" + std::string(SectionName) + "]");
        begin = end = lines.size();
    }
    for (const TConfigKey& key : WriteKeys) {
        const std::string newLine =
            std::string(key.Name) + "=" + std::to_string(settings.*key.Field);
        bool replaced = false;
        for (size_t i = begin; i < end && !replaced; ++i) {
            const TLine l = Classify(lines[i]);
            if (l.Kind == LineKind::Key && SameName(l.Name, key.Name)) {
                lines[i] = newLine;
                replaced = true;
            }
        }
        if (replaced) continue;
        // A new key goes after the section's last non-blank line, before any blank lines
        // that separate it from the next section.
        size_t at = end;
        while (at > begin && Trim(lines[at - 1]).empty()) --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLine);
        ++end;
    }
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += file.Eol;
    }
    return out;
}

void ReadConfig(const std::string& path, TSettings& settings) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error, MaxConfigSize)) bytes.clear();
    ReadConfigText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                   settings);
}

bool WriteConfig(const std::string& path, const TSettings& settings) {
    if (SavesDisabled) return true;
    std::vector<uint8_t> bytes;
    std::string error;
    struct stat st {};
    // An existing file that cannot be read is not overwritten: its other sections would be lost.
    if (::stat(path.c_str(), &st) == 0 && !ReadWholeFile(path, bytes, error, MaxConfigSize))
        return false;
    const std::string text = UpdateConfigText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), settings);
    return PrepareSave(path, error) && WriteFileAtomic(path, text.data(), text.size(), error);
}
