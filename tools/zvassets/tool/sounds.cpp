// zvtool sounds FILE: lists a sound-effect collection.
// zvtool extract-wave FILE NAME OUT.wav: writes one entry's wave as a .wav file.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "audio/collection.h"
#include "common/registry.h"
#include "common/wavefile.h"

namespace {

// Reads and parses a collection; prints the error and returns false on failure.
bool ReadCollection(const std::string& path, std::vector<TWaveEntry>& entries) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zvtool: %s: cannot open\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    try {
        entries = ReadWaveCollection(bytes);
    } catch (const EWaveReadError& e) {
        std::fprintf(stderr, "zvtool: %s: %s\n", path.c_str(), e.what());
        return false;
    }
    return true;
}

int ListSounds(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zvtool sounds FILE\n");
        return 2;
    }
    std::vector<TWaveEntry> entries;
    if (!ReadCollection(args[0], entries)) return 1;
    std::printf("%-3s %-16s %-6s %-7s %-8s %-6s %-4s %s\n", "#", "name", "looped", "maximum",
                "channels", "rate", "bits", "length");
    for (size_t i = 0; i < entries.size(); ++i) {
        const TWaveEntry& e = entries[i];
        if (e.Wave.empty()) {
            std::printf("%-3zu %-16s %-6s %-7d (no wave)\n", i, e.Name.c_str(),
                        e.Looped ? "yes" : "no", e.MaxPlayingCount);
            continue;
        }
        const TWaveFormat& f = e.Info.Format;
        const double seconds = f.AvgBytesPerSec > 0 ? double(e.Info.DataSize) / f.AvgBytesPerSec
                                                    : 0.0;
        std::printf("%-3zu %-16s %-6s %-7d %-8u %-6u %-4u %.3f s (%zu bytes)\n", i,
                    e.Name.c_str(), e.Looped ? "yes" : "no", e.MaxPlayingCount,
                    unsigned(f.Channels), unsigned(f.SamplesPerSec), unsigned(f.BitsPerSample),
                    seconds, e.Info.DataSize);
    }
    return 0;
}

int ExtractWave(const std::vector<std::string>& args) {
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zvtool extract-wave FILE NAME OUT.wav\n");
        return 2;
    }
    std::vector<TWaveEntry> entries;
    if (!ReadCollection(args[0], entries)) return 1;
    for (const TWaveEntry& e : entries) {
        if (e.Name != args[1]) continue;
        try {
            zvtools::WriteFileAtomically(args[2], e.Wave);
        } catch (const std::exception& err) {
            std::fprintf(stderr, "zvtool: %s\n", err.what());
            return 1;
        }
        std::printf("%s: %zu bytes\n", args[2].c_str(), e.Wave.size());
        return 0;
    }
    std::fprintf(stderr, "zvtool: %s: no entry named '%s'\n", args[0].c_str(), args[1].c_str());
    return 1;
}

}  // namespace

ZV_COMMAND("sounds", "FILE: list a sound collection (se.dxw)", ListSounds);
ZV_COMMAND("extract-wave", "FILE NAME OUT.wav: write one wave of a sound collection",
           ExtractWave);
