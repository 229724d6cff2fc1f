#pragma once
// Reads a capture file back: one record per line.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace rvtest {

struct CaptureLine {
    std::string type;  // short, long or reset
    uint32_t ms = 0;
    uint32_t message = 0;        // short
    std::vector<uint8_t> bytes;  // long
    bool wellFormed = false;
};

inline std::vector<CaptureLine> readCapture(const std::string& path) {
    std::vector<CaptureLine> out;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream words(text);
        CaptureLine line;
        words >> line.type >> line.ms;
        std::string hex;
        if (line.type == "short") {
            words >> hex;
            line.wellFormed = hex.size() == 8 && words.eof();
            line.message = uint32_t(std::stoul(hex, nullptr, 16));
        } else if (line.type == "long") {
            while (words >> hex) line.bytes.push_back(uint8_t(std::stoul(hex, nullptr, 16)));
            line.wellFormed = !line.bytes.empty();
        } else {
            line.wellFormed = line.type == "reset" && !words.fail();
        }
        out.push_back(line);
    }
    return out;
}

}  // namespace rvtest
