// The twelve exports of libRonvalet.so, called as a host calls them.
#include "Ronvalet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "capture_reader.h"
#include "test_support.h"

using smftest::Track;

namespace {

std::vector<uint8_t> song(uint32_t tempo, int key) {
    Track t;
    t.tempo(0, tempo).on(0, 0, key).off(20, 0, key).end();
    return smftest::smf(0, 500, {t});
}

class PlaybackExports : public testing::Test {
  protected:
    void SetUp() override {
        capture = rvtest::scratchPath("capture.txt");
        ::setenv("RONVALET_OUTPUT", ("capture:" + capture).c_str(), 1);
        ASSERT_EQ(InitMidi(), 1);
    }
    void TearDown() override {
        StopMidi();
        ClearMidi();
        SetMidiInterruptTime(5);
    }
    std::string capture;
};

}  // namespace

TEST_F(PlaybackExports, EdgeCasesOfTheCallingOrder) {
    std::string a = rvtest::writeSong("a.mid", song(500000, 60));
    EXPECT_EQ(StopMidi(), 0);
    EXPECT_EQ(ResumeMidi(), 0);
    EXPECT_EQ(PauseMidi(), 1);  // also when nothing plays
    EXPECT_EQ(LoadMidi(300, a.c_str()), 0);
    EXPECT_EQ(PlayMidi(300, 0), 0);
    EXPECT_EQ(PlayMidi(3, 0), 0);  // empty slot
    ASSERT_EQ(LoadMidi(3, a.c_str()), 1);
    ASSERT_EQ(PlayMidi(3, 1), 1);
    EXPECT_EQ(GetMidi(), 1);
    EXPECT_EQ(ResumeMidi(), 0);
    EXPECT_EQ(PauseMidi(), 1);
    EXPECT_EQ(GetMidi(), 0);
    EXPECT_EQ(ResumeMidi(), 1);
    EXPECT_EQ(StopMidi(), 1);
    EXPECT_EQ(StopMidi(), 0);
    EXPECT_EQ(SetMidiInterruptTime(0), 1);
    EXPECT_EQ(ClearMidi(), 1);
    EXPECT_EQ(PlayMidi(3, 0), 0);  // cleared
}

TEST_F(PlaybackExports, PlayByNameReplacesASongLoadedIntoSlotZero) {
    std::string a = rvtest::writeSong("a.mid", song(500000, 60));
    std::string b = rvtest::writeSong("b.mid", song(250000, 64));
    ASSERT_EQ(LoadMidi(0, a.c_str()), 1);
    EXPECT_DOUBLE_EQ(GetPlayingBPM(), 120.0);
    ASSERT_EQ(PlayMidiByName(b.c_str(), 0), 1);
    EXPECT_DOUBLE_EQ(GetPlayingBPM(), 240.0);
    // Waits for the end, however long a busy machine holds the timer up (bounded only so
    // that a song that never ends fails instead of hanging).
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (GetMidi() && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(GetMidi(), 0);
    EXPECT_GE(GetPlayingTime(), 11u);  // the note off at 10 ms was sent
    ASSERT_EQ(ClearMidi(), 1);
    auto lines = rvtest::readCapture(capture);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].message, 0x644090u);  // song b's note 64
    EXPECT_EQ(lines[1].message, 0x004080u);
    EXPECT_EQ(lines.back().type, "reset");
    EXPECT_EQ(PlayMidiByName(rvtest::scratchPath("missing.mid").c_str(), 0), 0);
}
