// Loading a 1 MB format 1 file of 16 tracks: LoadMidi, the parser alone, and libsmf on the same
// file in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <smf.h>
#include <string>
#include <unistd.h>

#include "Ronvalet.h"
#include "loader.h"
#include "smf_writer.h"

namespace {

// The fastest repetition: on a machine shared with other builds, the least disturbed run.
double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

constexpr int kTracks = 16;
constexpr size_t kTargetBytes = 1 << 20;

// A busy song: notes with and without running status, controllers, pitch bends and a tempo map.
std::vector<uint8_t> makeBigSong() {
    std::vector<smftest::Track> tracks(kTracks);
    uint32_t seed = 1;
    auto next = [&seed] { return seed = seed * 1103515245 + 12345, seed >> 16; };
    for (int t = 0; t < kTracks; ++t) {
        smftest::Track& tr = tracks[t];
        int ch = t % 16;
        tr.raw(0, {uint8_t(0xC0 | ch), uint8_t(t * 5)});
        while (tr.bytes.size() < kTargetBytes / kTracks - 64) {
            int key = 36 + int(next() % 48);
            tr.on(next() % 40, ch, key, 64 + int(next() % 60));
            tr.raw(next() % 60 + 1, {uint8_t(key), 0});  // running status note-on as note-off
            if (next() % 8 == 0) tr.raw(0, {uint8_t(0xB0 | ch), 11, uint8_t(next() % 128)});
            if (next() % 16 == 0) tr.raw(0, {uint8_t(0xE0 | ch), 0, uint8_t(next() % 128)});
            if (t == 0 && next() % 64 == 0) tr.tempo(0, 400000 + next() % 200000);
        }
        tr.end();
    }
    return smftest::smf(1, 480, tracks);
}

char songFile[64];  // the generated song, removed at exit

void removeSong() {
    ::unlink(songFile);
}

const char* songPath() {
    if (songFile[0] == '\0') {
        std::snprintf(songFile, sizeof songFile, "/tmp/ronvalet_bench_%d.mid", int(::getpid()));
        smftest::writeFile(songFile, makeBigSong());
        std::atexit(removeSong);
    }
    return songFile;
}

void BM_LoadMidi(benchmark::State& state) {
    ::setenv("RONVALET_OUTPUT", "none", 1);
    const char* path = songPath();
    for (auto _ : state) {
        if (!LoadMidi(1, path)) state.SkipWithError("LoadMidi failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTargetBytes));
}
BENCHMARK(BM_LoadMidi)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_ParseSmfFromMemory(benchmark::State& state) {
    std::ifstream in(songPath(), std::ios::binary);
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), {});
    for (auto _ : state) {
        ronvalet::Song song;
        ronvalet::Tempo tempo;
        if (!ronvalet::parseSmf(image.data(), image.size(), song, tempo)) {
            state.SkipWithError("parse failed");
        }
        benchmark::DoNotOptimize(song.events.data());
    }
    state.counters["events"] = 0;
    ronvalet::Song song;
    ronvalet::Tempo tempo;
    ronvalet::parseSmf(image.data(), image.size(), song, tempo);
    state.counters["events"] = double(song.events.size());
    state.counters["file_bytes"] = double(image.size());
}
BENCHMARK(BM_ParseSmfFromMemory)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_LibsmfLoad(benchmark::State& state) {
    const char* path = songPath();
    for (auto _ : state) {
        smf_t* smf = smf_load(path);
        if (smf == nullptr) {
            state.SkipWithError("smf_load failed");
            break;
        }
        smf_delete(smf);
    }
}
BENCHMARK(BM_LibsmfLoad)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

}  // namespace
