// Playback on the real timer thread: order, timing against the ticks, pause and resume, and
// many starts and stops racing the timer. A loaded machine may hold up any tick, so what is
// checked is order and content, that nothing goes out before its time, and that each message
// goes out at the first tick after its time, seen through a clock that notes every tick.
// Durations are held only to bounds that a stopped timer breaks, never to what a busy machine
// may take; waits end when their condition holds.
#include "library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

#include "capture_reader.h"
#include "clock.h"
#include "test_support.h"
#include "timer.h"

using namespace ronvalet;
using smftest::Track;

namespace {

// Far above any hold-up of a busy machine (two cores shared by builds and busy loops, or a
// sanitizer); a message this late means a stopped timer or a wrong time base.
constexpr int64_t kStallMs = 1000;
// The bound of every wait, reached only when what is waited for never comes.
constexpr auto kWaitLimit = std::chrono::seconds(20);

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Polls `done` every millisecond; false when kWaitLimit passed first.
bool waitFor(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        sleepMs(1);
    }
    return true;
}

// Notes every 10 ms for `count` notes, one millisecond per tick.
std::vector<uint8_t> noteRun(int count) {
    Track t;
    t.raw(0, {0xC0, 19});
    for (int i = 0; i < count; ++i) t.on(i == 0 ? 0 : 5, 0, 40 + i % 40).off(5, 0, 40 + i % 40);
    t.end();
    return smftest::smf(0, 500, {t});
}

// The channel messages of a song, in order.
std::vector<const Event*> channelEvents(const Song& song) {
    std::vector<const Event*> out;
    for (const Event& e : song.events) {
        if (e.kind < 0xF0) out.push_back(&e);
    }
    return out;
}

// What the timer thread did: the clock of the library under test notes each reading taken on
// that thread, which is the one reading at the start of every tick; the output notes which
// tick sent each message (-1: the host's thread, as the silence of a pause or a stop).
struct TickLog {
    std::mutex mutex;
    std::thread::id host;
    std::vector<uint32_t> ticks;  // each tick's clock reading
    struct Sent {
        uint32_t message;
        int tick;
    };
    std::vector<Sent> sent;
};
TickLog tickLog;

uint32_t tickClock() {
    const uint32_t now = systemMilliseconds();
    if (std::this_thread::get_id() != tickLog.host) {
        std::lock_guard lock(tickLog.mutex);
        tickLog.ticks.push_back(now);
    }
    return now;
}

class TickRecorder final : public MidiOutput {
  public:
    bool shortMessage(uint32_t message) override {
        std::lock_guard lock(tickLog.mutex);
        const bool timer = std::this_thread::get_id() != tickLog.host;
        tickLog.sent.push_back({message, timer ? int(tickLog.ticks.size()) - 1 : -1});
        return true;
    }
    bool longMessage(const SysexHeader&) override { return true; }
    bool reset() override { return true; }
};

class PlaybackTimer : public testing::Test {
  protected:
    void SetUp() override {
        capture = rvtest::scratchPath("capture.txt");
        ::setenv("RONVALET_OUTPUT", ("capture:" + capture).c_str(), 1);
        ASSERT_EQ(lib.initMidi(), 1);
    }

    std::string capture;
    Library lib;
};

class PlaybackTicks : public testing::Test {
  protected:
    void SetUp() override {
        tickLog.host = std::this_thread::get_id();
        tickLog.ticks.clear();
        tickLog.sent.clear();
        lib.adoptOutput(std::make_unique<TickRecorder>());
    }
    void TearDown() override { lib.stopMidi(); }
    // Checks the messages the timer sent, from number `from` to before number `to` (counting
    // only what the timer sent), against the song's channel messages from number `from` on:
    // the same message, sent by the first tick whose elapsed time (reading - start) is past the
    // message's time. Returns how many were checked.
    size_t expectAtFirstTickAfterItsTime(const Song& song, size_t from, size_t to, uint32_t start) {
        const std::vector<const Event*> due = channelEvents(song);
        size_t event = from, timerSent = 0;
        for (const TickLog::Sent& s : tickLog.sent) {
            if (s.tick < 0) continue;
            const size_t number = timerSent++;
            if (number < from) continue;
            if (number >= to) break;
            if (event >= due.size()) {
                ADD_FAILURE() << "more messages than the song has";
                break;
            }
            const Event& e = *due[event++];
            EXPECT_EQ(s.message, e.data) << "message " << event;
            const int64_t elapsed = int64_t(tickLog.ticks[size_t(s.tick)]) - start;
            EXPECT_GT(elapsed, int64_t(e.time)) << "message " << event << " sent before its time";
            if (s.tick > 0) {
                const int64_t before = int64_t(tickLog.ticks[size_t(s.tick) - 1]) - start;
                EXPECT_LE(before, int64_t(e.time))
                    << "message " << event << " was due a tick earlier";
            }
        }
        return event - from;
    }

    Library lib{tickClock, true};
};

}  // namespace

// The whole path as the game uses it: the system clock and the capture output.
TEST_F(PlaybackTimer, SendsEveryMessageInOrderAndNoneBeforeItsTime) {
    std::string path = rvtest::writeSong("run.mid", noteRun(30));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    const uint32_t start = lib.sequencer().startTime();
    const uint32_t period = lib.sequencer().period();
    ASSERT_TRUE(waitFor([&] { return lib.getMidi() == 0; }));
    ASSERT_EQ(lib.stopMidi(), 1);
    const auto lines = rvtest::readCapture(capture);
    size_t line = 0;
    int64_t earliest = kStallMs;
    for (const Event* e : channelEvents(*lib.song(1))) {
        ASSERT_LT(line, lines.size());
        const rvtest::CaptureLine& got = lines[line++];
        ASSERT_TRUE(got.wellFormed);
        ASSERT_EQ(got.message, e->data) << "message " << line;
        const int64_t lateness = int64_t(got.ms) - (int64_t(start) + e->time);
        EXPECT_GE(lateness, 1) << "message " << line << " sent before its time";
        EXPECT_LE(lateness, kStallMs) << "message " << line;
        earliest = std::min(earliest, lateness);
    }
    // Most ticks come on time even on a busy machine, and on time a message goes out within
    // a period of its time (ticks fall just after a millisecond turns; one more millisecond
    // for the clock turning while writing). Ticks at another period would put none there.
    EXPECT_LE(earliest, int64_t(period) + 1);
    EXPECT_EQ(lines.size(), line + 32 + 1) << "then the stop's silence and reset";
}

TEST_F(PlaybackTicks, EachMessageGoesOutAtTheFirstTickAfterItsTime) {
    std::string path = rvtest::writeSong("run.mid", noteRun(20));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    for (int period : {1, 5}) {
        SCOPED_TRACE("period " + std::to_string(period));
        {
            std::lock_guard lock(tickLog.mutex);
            tickLog.ticks.clear();
            tickLog.sent.clear();
        }
        lib.setMidiInterruptTime(period);
        ASSERT_EQ(lib.playMidi(1, 0), 1);
        EXPECT_EQ(lib.sequencer().period(), period);
        const uint32_t start = lib.sequencer().startTime();
        ASSERT_TRUE(waitFor([&] { return lib.getMidi() == 0; }));
        ASSERT_EQ(lib.stopMidi(), 1);  // joins the timer thread: the log is complete
        EXPECT_EQ(expectAtFirstTickAfterItsTime(*lib.song(1), 0, SIZE_MAX, start),
                  channelEvents(*lib.song(1)).size());
        // The ticks come a period apart when on time, which most are even on a busy machine:
        // some message goes out within a period of its time.
        int64_t earliest = kStallMs;
        size_t event = 0;
        const auto due = channelEvents(*lib.song(1));
        for (const TickLog::Sent& s : tickLog.sent) {
            if (s.tick < 0 || event >= due.size()) continue;
            earliest = std::min(earliest, int64_t(tickLog.ticks[size_t(s.tick)]) - start -
                                              int64_t(due[event++]->time));
        }
        EXPECT_LE(earliest, period);
    }
}

TEST_F(PlaybackTicks, PauseHoldsTimeAndTheRestKeepsItsSpacing) {
    constexpr uint32_t kPauseMs = 300;
    std::string path = rvtest::writeSong("run.mid", noteRun(100));  // a second long
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    const Song& song = *lib.song(1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    const uint32_t start = lib.sequencer().startTime();
    ASSERT_TRUE(waitFor([&] { return lib.sequencer().position() >= 20; }));

    const uint32_t clockAtPause = systemMilliseconds();
    ASSERT_EQ(lib.pauseMidi(), 1);
    const uint32_t playedAtPause = lib.getPlayingTime();
    const uint32_t startAtPause = lib.sequencer().startTime();
    ASSERT_LT(lib.sequencer().position(), song.events.size() - 1) << "the song ended first";
    // Ticks while paused move the start on, so the playing time stands still: wait until they
    // have moved it by the pause's length.
    ASSERT_TRUE(waitFor([&] { return lib.sequencer().startTime() - startAtPause >= kPauseMs; }));
    const uint32_t playedLater = lib.getPlayingTime();
    const uint32_t clockLater = systemMilliseconds();
    EXPECT_GE(int64_t(clockLater - clockAtPause) - (int64_t(playedLater) - playedAtPause),
              int64_t(kPauseMs))
        << "the playing time went on during the pause";
    // A paused tick has come since, so the tick under way when the pause came has ended:
    // the log holds everything sent before the resume.
    size_t beforeResume = 0;
    {
        std::lock_guard lock(tickLog.mutex);
        // After the pause's silence, only the tick that was sending when it came may send.
        bool silenced = false;
        int lateTick = -1;
        for (const TickLog::Sent& s : tickLog.sent) {
            if (s.tick < 0) {
                EXPECT_TRUE((s.message & 0xFFF0) == 0x78B0 || (s.message & 0xFFF0) == 0x7BB0);
                silenced = true;
                continue;
            }
            ++beforeResume;
            if (!silenced) continue;
            if (lateTick < 0) lateTick = s.tick;
            EXPECT_EQ(s.tick, lateTick) << "a tick sent during the pause";
        }
        EXPECT_TRUE(silenced);
    }

    ASSERT_EQ(lib.resumeMidi(), 1);
    ASSERT_TRUE(waitFor([&] { return lib.getMidi() == 0; }));
    const uint32_t startAfterPause = lib.sequencer().startTime();
    ASSERT_EQ(lib.stopMidi(), 1);
    EXPECT_GE(int64_t(startAfterPause - start), int64_t(kPauseMs));
    // Before the pause the song kept its times from the start; after it, from the moved start.
    const size_t sentBefore = expectAtFirstTickAfterItsTime(song, 0, beforeResume, start);
    ASSERT_EQ(sentBefore, beforeResume);
    const size_t sentAfter =
        expectAtFirstTickAfterItsTime(song, beforeResume, SIZE_MAX, startAfterPause);
    EXPECT_EQ(sentBefore + sentAfter, channelEvents(song).size());
}

TEST_F(PlaybackTimer, StartsAndStopsRacingTheTimerStayConsistent) {
    std::string path = rvtest::writeSong("run.mid", noteRun(10));
    ASSERT_EQ(lib.loadMidi(1, path.c_str()), 1);
    ASSERT_EQ(lib.loadMidi(2, path.c_str()), 1);
    lib.setMidiInterruptTime(1);
    // The sleeps only vary where the calls fall against the ticks; every outcome is checked.
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

// Ticks fall on the grid first + n * period: never two in one period, however late one comes
// (a late tick skips the periods it missed instead of bunching), none before `first` and
// none after stop.
TEST(PlaybackPeriodicTimer, TicksOnItsGridNeverTwiceInAPeriodAndNotAfterStop) {
    using Clock = std::chrono::steady_clock;
    struct Ticks {
        std::mutex mutex;
        std::vector<Clock::time_point> at;
        size_t count() {
            std::lock_guard lock(mutex);
            return at.size();
        }
    } ticks;
    const auto period = std::chrono::milliseconds(5);
    const auto first = Clock::now() + 4 * period;
    PeriodicTimer timer;
    ASSERT_TRUE(timer.start(
        5,
        [](void* t) {
            auto* ticks = static_cast<Ticks*>(t);
            std::lock_guard lock(ticks->mutex);
            ticks->at.push_back(Clock::now());
        },
        &ticks, first));
    ASSERT_TRUE(waitFor([&] { return ticks.count() >= 40; }));
    timer.stop();
    const size_t counted = ticks.count();
    int64_t previous = -1;
    bool nextPeriodSeen = false;
    for (const Clock::time_point& at : ticks.at) {
        ASSERT_GE(at, first);
        const int64_t slot = (at - first) / period;
        EXPECT_GT(slot, previous) << "two ticks in one period";
        nextPeriodSeen |= slot == previous + 1;
        previous = slot;
    }
    // Most ticks come on time even on a busy machine; a timer at a longer period never
    // ticks in the period right after the last tick.
    EXPECT_TRUE(nextPeriodSeen);
    sleepMs(20);
    EXPECT_EQ(ticks.count(), counted);  // no tick after stop
    EXPECT_FALSE(timer.start(
        0, [](void*) {}, nullptr));
}
