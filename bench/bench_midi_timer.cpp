// The timer's lateness: (send time - event time) for every message of a 60-second song played
// on the real timer thread at the default 5 ms period.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "clock.h"
#include "loader.h"
#include "output.h"
#include "sequencer.h"
#include "smf_writer.h"

namespace {

using Steady = std::chrono::steady_clock;

// Notes the exact moment of every short message, and the library clock's reading then.
class StampingOutput final : public ronvalet::MidiOutput {
  public:
    explicit StampingOutput(size_t expected) {
        stamps.reserve(expected);
        clockStamps.reserve(expected);
    }
    bool shortMessage(uint32_t) override {
        if (stamps.size() < stamps.capacity()) {
            stamps.push_back(Steady::now());
            clockStamps.push_back(ronvalet::systemMilliseconds());
        }
        return true;
    }
    bool longMessage(const ronvalet::SysexHeader&) override { return true; }
    bool reset() override { return true; }
    std::vector<Steady::time_point> stamps;
    std::vector<uint32_t> clockStamps;
};

// One minute of notes at uneven distances (7 to 29 ms), one millisecond per tick.
ronvalet::Song minuteSong() {
    smftest::Track t;
    uint32_t seed = 7, time = 0;
    while (time < 60000) {
        uint32_t step = 7 + (seed = seed * 1103515245 + 12345) % 23;
        t.on(step, 0, 60).off(0, 0, 60);
        time += step;
    }
    t.end(10);
    std::vector<uint8_t> file = smftest::smf(0, 500, {t});
    ronvalet::Song song;
    ronvalet::Tempo tempo;
    ronvalet::parseSmf(file.data(), file.size(), song, tempo);
    return song;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1) + 0.5)];
}

void BM_TimerLateness60s(benchmark::State& state) {
    ronvalet::Song song = minuteSong();
    std::vector<double> lateness;       // exact: send instant - the instant the event is due
    std::vector<double> clockLateness;  // as the capture output shows it, in whole milliseconds
    for (auto _ : state) {
        ronvalet::SharedTempo tempo;
        StampingOutput out(song.events.size());
        ronvalet::Sequencer seq(ronvalet::systemMilliseconds, tempo);
        seq.setOutput(&out);
        seq.start(&song, 1, false, ronvalet::kDefaultInterruptTime);
        while (seq.running()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        uint32_t start = seq.startTime();
        seq.stop();
        size_t n = 0;
        for (const ronvalet::Event& e : song.events) {
            if (e.kind >= 0xF0 || n >= out.stamps.size()) continue;
            auto due = ronvalet::systemMillisecondInstant(start + e.time);
            lateness.push_back(
                std::chrono::duration<double, std::milli>(out.stamps[n] - due).count());
            clockLateness.push_back(double(int32_t(out.clockStamps[n] - (start + e.time))));
            ++n;
        }
    }
    state.counters["median_ms"] = percentile(lateness, 0.5);
    state.counters["p99_ms"] = percentile(lateness, 0.99);
    state.counters["max_ms"] = percentile(lateness, 1.0);
    state.counters["clock_median_ms"] = percentile(clockLateness, 0.5);
    state.counters["clock_p99_ms"] = percentile(clockLateness, 0.99);
    state.counters["messages"] = double(lateness.size());
}
BENCHMARK(BM_TimerLateness60s)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
