#include "reliability/damage.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace reliab {

Bytes Apply(const Bytes& original, const TDamage& damage) {
    Bytes out = original;
    for (const auto& [at, value] : damage.Bytes)
        if (at < out.size()) out[at] = value;
    if (damage.Cut < out.size()) out.resize(damage.Cut);
    return out;
}

std::string Describe(const TDamage& damage) {
    std::string s = damage.Cut == SIZE_MAX ? "whole" : "cut at " + std::to_string(damage.Cut);
    for (const auto& [at, value] : damage.Bytes)
        s += ", byte " + std::to_string(at) + " = " + std::to_string(value);
    return s;
}

std::vector<TDamage> Cuts(size_t size, size_t every, size_t stride) {
    std::vector<TDamage> out;
    for (size_t n = 0; n < size; n = n < every ? n + 1 : n + stride) out.push_back({n, {}});
    return out;
}

std::vector<TDamage> RandomBytes(size_t size, size_t region, int count, uint32_t seed) {
    std::mt19937 rng(seed);
    region = std::min(region, size);
    std::vector<TDamage> out;
    for (int i = 0; i < count && region > 0; ++i) {
        TDamage d;
        const int changes = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < changes; ++k)
            d.Bytes.emplace_back(rng() % region, static_cast<uint8_t>(rng()));
        if (i % 3 == 2) d.Cut = rng() % size;
        out.push_back(d);
    }
    return out;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

Bytes GeneratedFile(const std::string& name) {
    return ReadBytes(std::string(ZV_BIN_DIR) + "/" + name);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {
// The folders this process made, removed as it ends.
struct TScratch {
    std::vector<fs::path> Made;
    ~TScratch() {
        std::error_code ec;
        for (const auto& d : Made) fs::remove_all(d, ec);
    }
};
}  // namespace

std::string ScratchFolder(const std::string& label) {
    static TScratch scratch;
    static int counter = 0;
    const fs::path dir =
        fs::temp_directory_path() /
        ("zv-" + label + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    scratch.Made.push_back(dir);
    return dir.string();
}

}  // namespace reliab
