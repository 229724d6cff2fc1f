#include "common/textsource.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zvtools {

std::vector<SourceLine> SourceLines(const std::string& text) {
    std::vector<SourceLine> out;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const size_t hash = raw.find('#');
        SourceLine line;
        line.number = number;
        line.text = hash == std::string::npos ? raw : raw.substr(0, hash);
        std::istringstream words(line.text);
        std::string w;
        while (words >> w) line.words.push_back(w);
        if (!line.words.empty()) out.push_back(std::move(line));
    }
    return out;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void SourceError(const std::string& name, int line, const std::string& message) {
    throw std::runtime_error(name + ":" + std::to_string(line) + ": " + message);
}

int32_t ParseInt(const std::string& word, const std::string& name, int line) {
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(word.c_str(), &end, 0);
    if (word.empty() || *end != '\0' || errno != 0 || v < INT32_MIN || v > 0xFFFFFFFFll) {
        SourceError(name, line, "'" + word + "' is not a number");
    }
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

}  // namespace zvtools
