#include "common/pixelart.h"

#include <array>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zvtools {
namespace {
std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}
}  // namespace

const PixelSprite* PixelArt::Find(const std::string& name) const {
    for (const auto& s : Sprites)
        if (s.Name == name) return &s;
    return nullptr;
}

const PixelSprite& PixelArt::Get(const std::string& name) const {
    if (const PixelSprite* s = Find(name)) return *s;
    throw std::runtime_error(File + ": no picture named '" + name + "'");
}

PixelArt ParsePixelArt(const std::string& text, const std::string& fileName) {
    PixelArt art;
    art.File = fileName;
    std::array<int, 256> legend;
    legend.fill(-1);
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        std::string l;
        while (std::getline(in, l)) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            lines.push_back(l);
        }
    }
    auto fail = [&](size_t i, const std::string& why) -> void {
        throw std::runtime_error(fileName + ":" + std::to_string(i + 1) + ": " + why);
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.empty() || line[0] == ';') continue;
        if (line == "legend") {
            legend.fill(-1);
            for (++i;; ++i) {
                if (i >= lines.size()) fail(i - 1, "legend without 'end'");
                const std::string entry = Trim(lines[i]);
                if (entry == "end") break;
                if (entry.empty() || entry[0] == ';') continue;
                if (entry.size() < 3 || entry[1] != ' ') fail(i, "expected 'CHAR VALUE'");
                const std::string value = Trim(entry.substr(2));
                const std::string first = value.substr(0, value.find_first_of(" \t"));
                int v = 0;
                if (first == "none") {
                    v = kPixelNone;
                } else {
                    try {
                        size_t used = 0;
                        v = std::stoi(first, &used);
                        if (used != first.size() || v < 0 || v > 254) throw std::exception();
                    } catch (...) {
                        fail(i, "legend value must be 0..254 or 'none'");
                    }
                }
                legend[static_cast<uint8_t>(entry[0])] = v;
            }
            continue;
        }
        if (line.rfind("sprite ", 0) == 0) {
            PixelSprite s;
            std::string rest = Trim(line.substr(7));
            if (rest.size() >= 3 && rest[0] == '\'' && rest[2] == '\'') {
                s.Name = rest.substr(1, 1);
                rest = rest.substr(3);
            } else {
                size_t sp = rest.find(' ');
                if (sp == std::string::npos) fail(i, "expected 'sprite NAME W H'");
                s.Name = rest.substr(0, sp);
                rest = rest.substr(sp);
            }
            std::istringstream dims(rest);
            if (!(dims >> s.W >> s.H) || s.W <= 0 || s.H <= 0 || s.W > 4096 || s.H > 4096)
                fail(i, "bad picture size");
            if (art.Find(s.Name)) fail(i, "picture '" + s.Name + "' defined twice");
            s.Px.reserve(static_cast<size_t>(s.W) * s.H);
            for (int y = 0; y < s.H; ++y) {
                ++i;
                if (i >= lines.size()) fail(i - 1, "picture '" + s.Name + "' has too few rows");
                std::string row = lines[i];
                while (!row.empty() && (row.back() == ' ' || row.back() == '\t')) row.pop_back();
                if (static_cast<int>(row.size()) != s.W)
                    fail(i, "row of " + std::to_string(row.size()) + " characters, expected " +
                                std::to_string(s.W));
                for (char c : row) {
                    int v = legend[static_cast<uint8_t>(c)];
                    if (v < 0) fail(i, std::string("character '") + c + "' is not in the legend");
                    s.Px.push_back(static_cast<uint8_t>(v));
                }
            }
            art.Sprites.push_back(std::move(s));
            continue;
        }
        fail(i, "expected 'legend', 'sprite' or a comment");
    }
    return art;
}

PixelArt ReadPixelArt(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path.string() + ": cannot open");
    std::ostringstream ss;
    ss << in.rdbuf();
    return ParsePixelArt(ss.str(), path.string());
}

}  // namespace zvtools
