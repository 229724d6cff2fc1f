// Loading a 1 MB format 1 file of 16 tracks: LoadMidi, the parser alone, and libsmf on the same
// file in the same run. Each side reads the file and builds its song in memory; libsmf's
// smf_delete stays outside the timing: it removes events one at a time from the front of each
// track, which is quadratic in the track length (about a second on this file) and not loading.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <smf.h>
#include <string>
#include <time.h>
#include <unistd.h>

#include "Ronvalet.h"
#include "loader.h"
#include "smf_writer.h"

namespace {

// The fastest repetition: on a machine shared with other builds, the least disturbed run.
double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// This thread's processor time in milliseconds: unlike the wall clock, it does not count the
// time other processes hold the cores.
double threadMilliseconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
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
        state.PauseTiming();
        smf_delete(smf);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LibsmfLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

// Both loaders in turn on the same file, each call timed by this thread's processor time so
// that both see the same machine: the medians and their ratio (libsmf over LoadMidi).
void BM_LoadMidiAgainstLibsmf(benchmark::State& state) {
    ::setenv("RONVALET_OUTPUT", "none", 1);
    const char* path = songPath();
    std::vector<double> ours, theirs;
    for (auto _ : state) {
        double t0 = threadMilliseconds();
        if (!LoadMidi(1, path)) state.SkipWithError("LoadMidi failed");
        double t1 = threadMilliseconds();
        smf_t* smf = smf_load(path);
        double t2 = threadMilliseconds();
        if (smf == nullptr) {
            state.SkipWithError("smf_load failed");
            break;
        }
        state.PauseTiming();
        smf_delete(smf);
        state.ResumeTiming();
        ours.push_back(t1 - t0);
        theirs.push_back(t2 - t1);
    }
    if (ours.empty()) return;
    state.counters["ronvalet_ms"] = median(ours);
    state.counters["libsmf_ms"] = median(theirs);
    state.counters["ratio"] = median(theirs) / median(ours);
}
BENCHMARK(BM_LoadMidiAgainstLibsmf)->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace
