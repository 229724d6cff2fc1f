// Playback driven tick by tick on a hand-moved clock: what is sent, when, and the state after
// pause, resume, stop, loop and the song's end.
#include "library.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace ronvalet;
using rvtest::fakeNow;
using rvtest::RecordingOutput;
using rvtest::Sent;
using smftest::Track;

namespace {

// Division 500 at the default tempo: one tick is one millisecond. Notes at 0, 10 and 20 ms;
// the end of track falls on the same millisecond as the last note.
std::vector<uint8_t> threeNotes() {
    Track t;
    t.on(0, 0, 60).off(10, 0, 60).on(10, 0, 62).end(0);
    return smftest::smf(0, 500, {t});
}

class PlaybackSequencer : public testing::Test {
  protected:
    void SetUp() override {
        fakeNow = 1000;
        auto out = std::make_unique<RecordingOutput>();
        rec = out.get();
        lib.adoptOutput(std::move(out));
        ASSERT_EQ(lib.loadMidi(1, rvtest::writeSong("three.mid", threeNotes()).c_str()), 1);
    }
    // Moves the clock to `ms` and runs the timer callback there.
    void tickAt(uint32_t ms) {
        fakeNow = ms;
        lib.sequencer().tick();
    }

    Library lib{rvtest::fakeClock, false};
    RecordingOutput* rec = nullptr;
};

}  // namespace

TEST_F(PlaybackSequencer, SendsEachEventOnlyOnceItsTimeHasPassed) {
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    tickAt(1000);
    EXPECT_TRUE(rec->sent.empty());  // elapsed 0 is not past time 0
    tickAt(1001);
    tickAt(1010);
    tickAt(1011);
    tickAt(1021);
    ASSERT_EQ(rec->sent.size(), 3u);
    EXPECT_EQ(rec->shorts(), (std::vector<uint32_t>{0x643C90, 0x003C80, 0x643E90}));
    EXPECT_EQ(rec->sent[0].ms, 1001u);
    EXPECT_EQ(rec->sent[1].ms, 1011u);
    EXPECT_EQ(rec->sent[2].ms, 1021u);
    // The last note and the end mark share a millisecond: playback stops at the end mark.
    EXPECT_EQ(lib.sequencer().position(), 3u);
    EXPECT_EQ(lib.getMidi(), 1);
    tickAt(1026);
    EXPECT_EQ(lib.getMidi(), 0);
    EXPECT_TRUE(lib.sequencer().playing());
    EXPECT_EQ(lib.sequencer().position(), 3u);
    tickAt(1100);
    EXPECT_EQ(rec->sent.size(), 3u);
    EXPECT_EQ(lib.getPlayingTime(), 100u);  // keeps counting after the end
}

TEST_F(PlaybackSequencer, LoopRestartsAtZeroWithoutSilencingNotes) {
    ASSERT_EQ(lib.playMidi(1, 1), 1);
    tickAt(1030);
    ASSERT_EQ(rec->sent.size(), 3u);
    tickAt(1035);  // at the end mark: the song restarts
    EXPECT_EQ(lib.getPlayingTime(), 0u);
    EXPECT_EQ(lib.getMidi(), 1);
    EXPECT_EQ(rec->sent.size(), 3u);  // no All Notes Off
    tickAt(1036);
    ASSERT_EQ(rec->sent.size(), 4u);
    EXPECT_EQ(rec->sent[3].message, 0x643C90u);
    EXPECT_EQ(rec->sent[3].ms, 1036u);
}

TEST_F(PlaybackSequencer, PauseAndResumeLeavePausedTimeOut) {
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    tickAt(1001);
    tickAt(1005);
    fakeNow = 1006;
    uint32_t before = lib.getPlayingTime();
    EXPECT_EQ(lib.pauseMidi(), 1);
    EXPECT_EQ(lib.getMidi(), 0);
    EXPECT_EQ(rec->shorts(), [] {
        std::vector<uint32_t> v{0x643C90};
        for (uint32_t m : rvtest::silenceMessages()) v.push_back(m);
        return v;
    }());
    for (uint32_t t = 1010; t <= 11005; t += 5) tickAt(t);  // ten seconds of pause
    EXPECT_EQ(rec->sent.size(), 33u);                       // nothing sent while paused
    fakeNow = 11006;
    EXPECT_EQ(lib.getPlayingTime(), before);
    EXPECT_EQ(lib.resumeMidi(), 1);
    EXPECT_EQ(lib.resumeMidi(), 0);
    tickAt(11010);
    EXPECT_EQ(rec->sent.size(), 33u);
    tickAt(11011);  // the note off, 10 ms after the note on in song time
    ASSERT_EQ(rec->sent.size(), 34u);
    EXPECT_EQ(rec->sent.back().message, 0x3C80u);
    EXPECT_EQ(rec->sent.back().ms, lib.sequencer().startTime() + 11);
}

TEST_F(PlaybackSequencer, StopSilencesResetsAndAnswersOnce) {
    EXPECT_EQ(lib.stopMidi(), 0);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    tickAt(1001);
    rec->sent.clear();
    EXPECT_EQ(lib.stopMidi(), 1);
    EXPECT_EQ(rec->shorts(), rvtest::silenceMessages());
    ASSERT_FALSE(rec->sent.empty());
    EXPECT_EQ(rec->sent.back().type, Sent::Reset);
    EXPECT_EQ(lib.stopMidi(), 0);
    EXPECT_EQ(lib.resumeMidi(), 0);
    EXPECT_EQ(lib.getMidi(), 0);
    EXPECT_EQ(lib.sequencer().position(), 0u);
}

TEST_F(PlaybackSequencer, ResumingAnEndedSongEndsItAgain) {
    EXPECT_EQ(lib.resumeMidi(), 0);  // nothing paused
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    EXPECT_EQ(lib.resumeMidi(), 0);  // playing, not paused
    tickAt(1030);
    tickAt(1035);
    ASSERT_EQ(lib.getMidi(), 0);
    EXPECT_EQ(lib.resumeMidi(), 1);
    EXPECT_EQ(lib.getMidi(), 1);
    tickAt(1040);
    EXPECT_EQ(lib.getMidi(), 0);
    EXPECT_EQ(rec->sent.size(), 3u);
}

TEST_F(PlaybackSequencer, StartOnAnEmptySlotFailsAndLeavesThePreviousSongStopped) {
    ASSERT_EQ(lib.playMidi(1, 1), 1);
    tickAt(1001);
    EXPECT_EQ(lib.playMidi(2, 0), 0);
    EXPECT_FALSE(lib.sequencer().playing());
    EXPECT_EQ(lib.getMidi(), 0);
    EXPECT_EQ(rec->sent.back().type, Sent::Reset);
    EXPECT_EQ(lib.playMidi(300, 0), 0);
    EXPECT_EQ(lib.playMidi(-1, 0), 0);
}

TEST_F(PlaybackSequencer, InterruptTimeIsClampedAndKeepsItsLow16Bits) {
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    EXPECT_EQ(lib.sequencer().period(), 5);  // the default
    EXPECT_EQ(lib.setMidiInterruptTime(0), 1);
    EXPECT_EQ(lib.sequencer().period(), 5);  // a playing song keeps its period
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    EXPECT_EQ(lib.sequencer().period(), 1);  // raised to the minimum
    lib.setMidiInterruptTime(65536 + 20);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    EXPECT_EQ(lib.sequencer().period(), 20);
}

TEST_F(PlaybackSequencer, SystemExclusiveIsPreparedTracedSentAndReleased) {
    Track t;
    t.sysex(0, {0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7})
        .sysex(0, {0x7E, 0xF7})
        .on(5, 0, 60)
        .end();
    ASSERT_EQ(lib.loadMidi(3, rvtest::writeSong("sysex.mid", smftest::smf(0, 500, {t})).c_str()),
              1);
    rvtest::TraceCatcher traces;
    ASSERT_EQ(lib.playMidi(3, 0), 1);
    EXPECT_EQ(traces.all(), "SysEx:f0,41,10,42,12,40,00,7f,00\nSysEx:f0,7e,f7\n");
    tickAt(1010);
    ASSERT_EQ(rec->sent.size(), 3u);
    EXPECT_EQ(rec->sent[0].type, Sent::Long);
    EXPECT_EQ(rec->sent[0].bytes, (std::vector<uint8_t>{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00,
                                                        0x7F, 0x00, 0x41, 0xF7}));
    EXPECT_EQ(rec->sent[1].bytes, (std::vector<uint8_t>{0xF0, 0x7E, 0xF7}));
    ASSERT_EQ(lib.stopMidi(), 1);
    // The events point at their own bytes again, ready for the next start.
    const Song* song = lib.song(3);
    EXPECT_EQ(song->sysexBytes(song->events[1])[1], 0x7E);
    ASSERT_EQ(lib.playMidi(3, 0), 1);
    tickAt(1020);
    EXPECT_EQ(rec->sent.back().message, 0x643C90u);
    EXPECT_EQ(rec->sent[rec->sent.size() - 2].bytes.size(), 3u);
}

TEST_F(PlaybackSequencer, TempoEventsSetTheBeatsPerMinuteAsTheyPlay) {
    Track t;
    t.tempo(0, 500000).on(0, 0, 60).tempo(10, 1000000).off(10, 0, 60).end();
    ASSERT_EQ(lib.loadMidi(4, rvtest::writeSong("tempo.mid", smftest::smf(0, 500, {t})).c_str()),
              1);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 60.0);  // the song's last tempo after loading
    ASSERT_EQ(lib.playMidi(4, 0), 1);
    tickAt(1001);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 120.0);
    tickAt(1011);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 60.0);
}

TEST(PlaybackWithoutOutput, AnUnpreparedSystemExclusiveIsReportedAndPlayGoesOn) {
    // No device: the message cannot be prepared. The user is told on standard error even
    // without RONVALET_TRACE, and the song still plays.
    ::unsetenv("RONVALET_TRACE");
    Library lib{rvtest::fakeClock, false};
    Track t;
    t.sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).on(5, 0, 60).end();
    ASSERT_EQ(lib.loadMidi(2, rvtest::writeSong("sysex.mid", smftest::smf(0, 500, {t})).c_str()),
              1);
    ASSERT_FALSE(lib.outputOpen());
    testing::internal::CaptureStderr();
    const int32_t started = lib.playMidi(2, 0);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(shown, "midiOutPrepareHeader() failed.\n");
    EXPECT_EQ(lib.getMidi(), 1);
}
