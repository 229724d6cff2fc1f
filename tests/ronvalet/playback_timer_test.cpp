// Playback on the real timer thread, seen through the capture output: order, timing within a
// period, pause and resume, and many starts and stops racing the timer.
#include "library.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "capture_reader.h"
#include "test_support.h"
#include "timer.h"

using namespace ronvalet;
using smftest::Track;

namespace {

// Slack for a loaded machine (two cores shared by several builds, or ThreadSanitizer) on top
// of one period; most events must still come within the period itself.
constexpr uint32_t kLoadSlackMs = 100;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Notes every 10 ms for `count` notes, one millisecond per tick.
std::vector<uint8_t> noteRun(int count) {
    Track t;
    t.raw(0, {0xC0, 19});
    for (int i = 0; i < count; ++i) t.on(i == 0 ? 0 : 5, 0, 40 + i % 40).off(5, 0, 40 + i % 40);
    t.end();
    return smftest::smf(0, 500, {t});
}

class PlaybackTimer : public testing::Test {
  protected:
    void SetUp() override {
        capture = rvtest::scratchPath("capture.txt");
        ::setenv("RONVALET_OUTPUT", ("capture:" + capture).c_str(), 1);
        ASSERT_EQ(lib.initMidi(), 1);
    }
    bool waitForEnd(int timeoutMs) {
        for (int waited = 0; waited < timeoutMs; waited += 2) {
            if (!lib.getMidi()) return true;
            sleepMs(2);
        }
        return false;
    }
    // Checks that the channel messages of `song` were captured in order, each after its time
    // and within a period of it (with slack for a busy machine).
    void expectOnTime(const Song& song, const std::vector<rvtest::CaptureLine>& lines,
                      uint32_t start, uint32_t period) {
        size_t line = 0, late = 0, count = 0;
        for (const Event& e : song.events) {
            if (e.kind >= 0xF0) continue;
            ASSERT_LT(line, lines.size());
            const rvtest::CaptureLine& got = lines[line++];
            ASSERT_TRUE(got.wellFormed);
            ASSERT_EQ(got.message, e.data) << "message " << line;
            int32_t lateness = int32_t(got.ms - (start + e.time));
            EXPECT_GE(lateness, 1) << "message " << line << " sent before its time";
            EXPECT_LE(lateness, int32_t(period + kLoadSlackMs)) << "message " << line;
            late += lateness > int32_t(period + 2);  // a millisecond of clock rounding
            ++count;
        }
        EXPECT_LE(late * 5, count) << late << " of " << count << " later than one period";
    }

    std::string capture;
    Library lib;
};

}  // namespace

TEST_F(PlaybackTimer, SendsEveryMessageInOrderWithinOnePeriod) {
    std::string path = rvtest::writeSong("run.mid", noteRun(30));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    uint32_t start = lib.sequencer().startTime();
    ASSERT_TRUE(waitForEnd(3000));
    ASSERT_EQ(lib.stopMidi(), 1);
    expectOnTime(*lib.song(1), rvtest::readCapture(capture), start, 5);
}

TEST_F(PlaybackTimer, OneMillisecondPeriodKeepsEventsWithinAMillisecond) {
    lib.setMidiInterruptTime(1);
    std::string path = rvtest::writeSong("run.mid", noteRun(20));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    EXPECT_EQ(lib.sequencer().period(), 1);
    uint32_t start = lib.sequencer().startTime();
    ASSERT_TRUE(waitForEnd(3000));
    ASSERT_EQ(lib.stopMidi(), 1);
    expectOnTime(*lib.song(1), rvtest::readCapture(capture), start, 1);
}

TEST_F(PlaybackTimer, PauseKeepsPlayingTimeAndLaterEventsKeepTheirSpacing) {
    std::string path = rvtest::writeSong("run.mid", noteRun(30));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    sleepMs(100);
    ASSERT_EQ(lib.pauseMidi(), 1);
    uint32_t atPause = lib.getPlayingTime();
    sleepMs(300);
    uint32_t duringPause = lib.getPlayingTime();
    // Paused time stops counting from the last tick before the pause.
    EXPECT_LE(std::abs(int32_t(duringPause - atPause)), int32_t(5 + kLoadSlackMs));
    ASSERT_EQ(lib.resumeMidi(), 1);
    uint32_t pausedStart = lib.sequencer().startTime();
    ASSERT_TRUE(waitForEnd(3000));
    ASSERT_EQ(lib.stopMidi(), 1);

    // After the pause's silence, the rest of the song keeps its times from the moved start.
    auto lines = rvtest::readCapture(capture);
    size_t silence = 0;
    while (silence < lines.size() && lines[silence].message != 0x78B0) ++silence;
    ASSERT_LT(silence + 32, lines.size());
    std::vector<rvtest::CaptureLine> after(lines.begin() + long(silence + 32), lines.end());
    size_t sentBefore = 0;
    for (size_t i = 0; i < silence; ++i) sentBefore += lines[i].type == "short";
    // A tick already sending when the pause came may finish just after the silence.
    while (!after.empty() && after.front().ms < lines[silence].ms + 100) {
        after.erase(after.begin());
        ++sentBefore;
    }
    Song rest;
    const Song& song = *lib.song(1);
    size_t channel = 0;
    for (const Event& e : song.events) {
        if (e.kind < 0xF0 && channel++ < sentBefore) continue;
        rest.events.push_back(e);
    }
    expectOnTime(rest, after, pausedStart, 5);
}

TEST_F(PlaybackTimer, StartsAndStopsRacingTheTimerStayConsistent) {
    std::string path = rvtest::writeSong("run.mid", noteRun(10));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.loadMidi(2, path.c_str()), 1);
    lib.setMidiInterruptTime(1);
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(lib.playMidi(1 + round % 2, 1), 1);
        sleepMs(round % 4);
        EXPECT_EQ(lib.pauseMidi(), 1);
        (void)lib.getPlayingTime();
        (void)lib.getPlayingBPM();
        EXPECT_EQ(lib.resumeMidi(), 1);
        sleepMs(1);
        if (round % 3 == 0) {
            EXPECT_EQ(lib.stopMidi(), 1);
        }
    }
    lib.stopMidi();
    EXPECT_EQ(lib.clearMidi(), 1);
    for (const auto& line : rvtest::readCapture(capture)) EXPECT_TRUE(line.wellFormed);
}

TEST(PlaybackPeriodicTimer, TicksAtItsPeriodWithoutDrift) {
    std::atomic<int> ticks{0};
    PeriodicTimer timer;
    auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(timer.start(
        2, [](void* n) { ++*static_cast<std::atomic<int>*>(n); }, &ticks));
    sleepMs(200);
    timer.stop();
    auto elapsed = std::chrono::steady_clock::now() - begin;
    int expected = int(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 2);
    int counted = ticks.load();
    EXPECT_LE(counted, expected);      // never more ticks than periods: no bunching
    EXPECT_GE(counted, expected / 2);  // most periods tick, even on a busy machine
    sleepMs(10);
    EXPECT_EQ(ticks.load(), counted);  // no tick after stop
    EXPECT_FALSE(timer.start(
        0, [](void*) {}, nullptr));
}
