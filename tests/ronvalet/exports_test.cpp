// The library's operations as the exports present them: slots, loading results, clearing, the
// output choice and the traces.
#include "library.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "test_support.h"

using namespace ronvalet;
using rvtest::RecordingOutput;
using smftest::Track;

namespace {

std::vector<uint8_t> songWithTempo(uint32_t tempo, int key) {
    Track t;
    t.tempo(0, tempo).on(1, 0, key).off(1, 0, key).end();
    return smftest::smf(0, 500, {t});
}

std::string currentDirectory() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? buf : "";
}

class Exports : public testing::Test {
  protected:
    void SetUp() override {
        rvtest::fakeNow = 0;
        ::setenv("RONVALET_OUTPUT", "none", 1);
    }
    RecordingOutput* adoptRecorder() {
        auto out = std::make_unique<RecordingOutput>();
        RecordingOutput* rec = out.get();
        lib.adoptOutput(std::move(out));
        return rec;
    }
    Library lib{rvtest::fakeClock, false};
};

}  // namespace

TEST_F(Exports, LoadingFillsAndEmptiesSlots) {
    adoptRecorder();
    std::string a = rvtest::writeSong("a.mid", songWithTempo(600000, 60));
    std::string b = rvtest::writeSong("b.mid", songWithTempo(400000, 62));
    EXPECT_EQ(lib.loadMidi(256, a.c_str()), 0);
    EXPECT_EQ(lib.loadMidi(-1, a.c_str()), 0);
    ASSERT_EQ(lib.loadMidi(255, a.c_str()), 1);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 100.0);
    ASSERT_NE(lib.song(255), nullptr);
    // A failed load leaves the slot empty and the tempo record as it was.
    EXPECT_EQ(lib.loadMidi(255, rvtest::scratchPath("missing.mid").c_str()), 0);
    EXPECT_EQ(lib.song(255), nullptr);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 100.0);
    EXPECT_EQ(lib.loadMidi(255, nullptr), 0);

    // Loading into the slot that plays stops it first.
    ASSERT_EQ(lib.loadMidi(7, a.c_str()), 1);
    ASSERT_EQ(lib.playMidi(7, 1), 1);
    ASSERT_EQ(lib.loadMidi(7, b.c_str()), 1);
    EXPECT_FALSE(lib.sequencer().playing());
    // ...while loading another slot leaves it playing.
    ASSERT_EQ(lib.playMidi(7, 1), 1);
    ASSERT_EQ(lib.loadMidi(8, a.c_str()), 1);
    EXPECT_TRUE(lib.sequencer().playing());
}

TEST_F(Exports, PlayByNameReplacesSlotZero) {
    RecordingOutput* rec = adoptRecorder();
    std::string a = rvtest::writeSong("a.mid", songWithTempo(600000, 60));
    std::string b = rvtest::writeSong("b.mid", songWithTempo(400000, 62));
    ASSERT_EQ(lib.loadMidi(0, a.c_str()), 1);
    ASSERT_EQ(lib.playMidiByName(b.c_str(), 0), 1);
    EXPECT_DOUBLE_EQ(lib.getPlayingBPM(), 150.0);
    EXPECT_EQ(lib.sequencer().currentSlot(), 0);
    rvtest::fakeNow = 100;
    lib.sequencer().tick();
    ASSERT_FALSE(rec->shorts().empty());
    EXPECT_EQ(rec->shorts()[0], 0x643E90u);  // song b's note
    EXPECT_EQ(lib.playMidiByName(rvtest::scratchPath("missing.mid").c_str(), 0), 0);
    EXPECT_EQ(lib.song(0), nullptr);
    EXPECT_FALSE(lib.sequencer().playing());
}

TEST_F(Exports, ClearReleasesEverythingAndReopensLater) {
    std::string path = rvtest::scratchPath("capture.txt");
    ::setenv("RONVALET_OUTPUT", ("capture:" + path).c_str(), 1);
    ASSERT_EQ(lib.initMidi(), 1);
    EXPECT_EQ(lib.initMidi(), 1);  // already open: kept
    std::string a = rvtest::writeSong("a.mid", songWithTempo(500000, 60));
    ASSERT_EQ(lib.loadMidi(1, a.c_str()), 1);
    ASSERT_EQ(lib.loadMidi(2, a.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 1), 1);
    EXPECT_EQ(lib.clearMidi(), 1);
    EXPECT_FALSE(lib.outputOpen());
    EXPECT_FALSE(lib.sequencer().playing());
    EXPECT_EQ(lib.song(1), nullptr);
    EXPECT_EQ(lib.song(2), nullptr);
    EXPECT_EQ(lib.playMidi(1, 0), 0);
    // The capture holds the stop's silence and both resets, complete once cleared.
    std::ifstream in(path);
    std::string line, last;
    int lines = 0;
    while (std::getline(in, line)) ++lines, last = line;
    EXPECT_EQ(lines, 32 + 2);
    EXPECT_EQ(last, "reset 0");
    // A later load opens the output again.
    ASSERT_EQ(lib.loadMidi(1, a.c_str()), 1);
    EXPECT_TRUE(lib.outputOpen());
}

TEST_F(Exports, WithoutAnOutputSongsStillLoadAndPlay) {
    rvtest::TraceCatcher traces;
    EXPECT_EQ(lib.initMidi(), 0);
    EXPECT_NE(traces.all().find("RONVALET_OUTPUT=none"), std::string::npos);
    std::string a = rvtest::writeSong("a.mid", songWithTempo(500000, 60));
    ASSERT_EQ(lib.loadMidi(1, a.c_str()), 1);
    ASSERT_EQ(lib.playMidi(1, 0), 1);
    rvtest::fakeNow = 50;
    lib.sequencer().tick();
    EXPECT_EQ(lib.pauseMidi(), 1);
    EXPECT_EQ(lib.resumeMidi(), 1);
    EXPECT_EQ(lib.clearMidi(), 0);  // no device to reset: the songs stay
    EXPECT_NE(traces.all().find("midiOutReset()に失敗しました\n"), std::string::npos);
    EXPECT_NE(lib.song(1), nullptr);
}

TEST_F(Exports, TracesNameTheDirectoryAndFile) {
    adoptRecorder();
    rvtest::TraceCatcher traces;
    std::string missing = rvtest::scratchPath("missing.mid");
    EXPECT_EQ(lib.loadMidi(1, missing.c_str()), 0);
    std::string bad = rvtest::writeSong("bad.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 7});
    EXPECT_EQ(lib.loadMidi(1, bad.c_str()), 0);
    std::string cwd = currentDirectory();
    EXPECT_EQ(traces.all(), "MIDIファイル[" + cwd + "\\" + missing + "]の読み込みに失敗しました\n" +
                                "MIDIファイル[" + cwd + "\\" + bad + "]の変換に失敗しました\n");
}

// FluidSynth's audio driver starts before the SoundFont loads: without a sound device the
// open fails at once, and the SoundFont is not read. A bad SoundFont is still named.
TEST_F(Exports, FluidSynthTriesTheDriverBeforeTheSoundFont) {
    const std::string font = rvtest::scratchPath("not-a-font.sf2");
    std::ofstream(font) << "not a SoundFont\n";
    ::setenv("RONVALET_OUTPUT", "fluidsynth", 1);
    ::setenv("RONVALET_SOUNDFONT", font.c_str(), 1);
    ::setenv("RONVALET_AUDIO_DRIVER", "file", 1);
    ::setenv("RONVALET_AUDIO_FILE", "/nonexistent-dir/x.wav", 1);
    std::string noDriver, badFont;
    {
        rvtest::TraceCatcher traces;
        EXPECT_EQ(lib.initMidi(), 0);
        noDriver = traces.all();
    }
    ::setenv("RONVALET_AUDIO_FILE", rvtest::scratchPath("x.wav").c_str(), 1);
    {
        rvtest::TraceCatcher traces;
        EXPECT_EQ(lib.initMidi(), 0);
        badFont = traces.all();
    }
    for (const char* name : {"RONVALET_SOUNDFONT", "RONVALET_AUDIO_DRIVER", "RONVALET_AUDIO_FILE"})
        ::unsetenv(name);
    EXPECT_NE(noDriver.find("no audio driver"), std::string::npos) << noDriver;
    EXPECT_EQ(noDriver.find("SoundFont"), std::string::npos) << noDriver;
    EXPECT_NE(badFont.find("cannot load SoundFont " + font), std::string::npos) << badFont;
    // Refused by its header, before FluidSynth's loaders (which print GLib noise) see it.
    EXPECT_NE(badFont.find("not a SoundFont"), std::string::npos) << badFont;
}

TEST_F(Exports, OutputThatCannotBeMadeFailsInit) {
    rvtest::TraceCatcher traces;
    ::setenv("RONVALET_OUTPUT", "capture:/nonexistent-dir/x.txt", 1);
    EXPECT_EQ(lib.initMidi(), 0);
    ::setenv("RONVALET_OUTPUT", "bogus", 1);
    EXPECT_EQ(lib.initMidi(), 0);
    ::setenv("RONVALET_OUTPUT", "fluidsynth", 1);
    ::setenv("RONVALET_SOUNDFONT", "/nonexistent.sf2", 1);
    EXPECT_EQ(lib.initMidi(), 0);
    ::unsetenv("RONVALET_SOUNDFONT");
    EXPECT_FALSE(lib.outputOpen());
    std::string all = traces.all();
    EXPECT_NE(all.find("bogus"), std::string::npos);
    EXPECT_NE(all.find("/nonexistent.sf2"), std::string::npos);
    size_t count = 0;
    for (size_t at = 0; (at = all.find("midiOutOpen()に失敗しました\n", at)) != std::string::npos;
         ++at)
        ++count;
    EXPECT_EQ(count, 3u);
}
