// Songs made by abc2midi, and ronvalet-play end to end: through the capture output and through
// FluidSynth rendering into a sound file.
#include "loader.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "capture_reader.h"
#include "test_support.h"

using namespace ronvalet;

namespace {

const std::string kData = std::string(ZV_SOURCE_DIR) + "/tests/ronvalet/data/";
const std::string kPlayer = std::string(ZV_BIN_DIR) + "/ronvalet-play";

// Compiles an ABC tune into a MIDI file; empty when abc2midi is missing.
std::string abcToMidi(const std::string& abc) {
    if (std::system("command -v abc2midi >/dev/null 2>&1") != 0) return "";
    std::string out = rvtest::scratchPath(abc + ".mid");
    std::string cmd = "abc2midi '" + kData + abc + "' -o '" + out + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 || ::access(out.c_str(), R_OK) != 0) return "";
    return out;
}

int noteOns(const Song& song) {
    int n = 0;
    for (const Event& e : song.events) n += e.kind == 0x90 && (e.data >> 16 & 0x7F) != 0;
    return n;
}

}  // namespace

TEST(AbcSongs, TwoVoicesMergeIntoOneTimeOrderedList) {
    std::string mid = abcToMidi("two_voices.abc");
    if (mid.empty()) GTEST_SKIP() << "abc2midi not available";
    Song song;
    Tempo tempo;
    ASSERT_EQ(loadSmfFile(mid.c_str(), song, tempo), LoadResult::Ok);
    EXPECT_EQ(tempo.format, 1);
    EXPECT_DOUBLE_EQ(tempo.bpm, 200.0);
    EXPECT_EQ(noteOns(song), 12 + 8);
    bool flute = false, bass = false;
    for (size_t i = 0; i < song.events.size(); ++i) {
        const Event& e = song.events[i];
        if (i > 0) {
            EXPECT_LE(song.events[i - 1].time, e.time);
        }
        if (e.kind == 0xC0) flute |= (e.data >> 8) == 73, bass |= (e.data >> 8) == 32;
    }
    EXPECT_TRUE(flute && bass);
    // Two bars of 4/4 at 200 beats a minute last 2400 ms.
    uint32_t lastOff = 0;
    for (const Event& e : song.events) {
        if (e.kind == 0x80 || (e.kind == 0x90 && (e.data >> 16) == 0)) lastOff = e.time;
    }
    EXPECT_NEAR(double(lastOff), 2400.0, 2.0);
}

TEST(AbcSongs, InlineTempoChangeSlowsTheSecondBar) {
    std::string mid = abcToMidi("tempo_change.abc");
    if (mid.empty()) GTEST_SKIP() << "abc2midi not available";
    Song song;
    Tempo tempo;
    ASSERT_EQ(loadSmfFile(mid.c_str(), song, tempo), LoadResult::Ok);
    std::vector<uint32_t> onsets;
    for (const Event& e : song.events) {
        if (e.kind == 0x90 && (e.data >> 16 & 0x7F) != 0) onsets.push_back(e.time);
    }
    ASSERT_EQ(onsets.size(), 8u);
    // Eighth notes last 250 ms at 120 beats a minute, 500 ms at 60.
    EXPECT_NEAR(double(onsets[3] - onsets[2]), 250.0, 1.0);
    EXPECT_NEAR(double(onsets[7] - onsets[6]), 500.0, 1.0);
    EXPECT_DOUBLE_EQ(tempo.bpm, 60.0);
}

TEST(ToolRonvaletPlay, CapturesEveryChannelMessageInOrderOnTime) {
    std::string mid = abcToMidi("tempo_change.abc");
    if (mid.empty()) GTEST_SKIP() << "abc2midi not available";
    std::string capture = rvtest::scratchPath("capture.txt");
    std::string cmd =
        "RONVALET_OUTPUT='capture:" + capture + "' '" + kPlayer + "' '" + mid + "' >/dev/null 2>&1";
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto took = std::chrono::steady_clock::now() - began;
    Song song;
    Tempo tempo;
    ASSERT_EQ(loadSmfFile(mid.c_str(), song, tempo), LoadResult::Ok);
    // The player waits for the song: it cannot end before the song's last event.
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(),
              int64_t(song.events.back().time));
    auto lines = rvtest::readCapture(capture);
    // Every channel message, in order; then each one's lateness against the song's time.
    // The start is taken from the earliest message, so a late first message does not make
    // the others look early. A loaded machine may delay any single message, so only the
    // median is bounded, loosely: held-up ticks cost milliseconds, while playing the second
    // half at the first half's tempo would move its notes by 250 ms and more.
    size_t line = 0;
    std::vector<int64_t> offsets;
    for (const Event& e : song.events) {
        if (e.kind >= 0xF0) continue;
        ASSERT_LT(line, lines.size());
        EXPECT_EQ(lines[line].message, e.data) << "message " << line;
        if (line > 0) {
            EXPECT_GE(lines[line].ms, lines[line - 1].ms);
        }
        offsets.push_back(int64_t(lines[line].ms) - int64_t(e.time));
        ++line;
    }
    ASSERT_FALSE(offsets.empty());
    const int64_t start = *std::min_element(offsets.begin(), offsets.end());
    std::vector<int64_t> lateness;
    for (int64_t o : offsets) lateness.push_back(o - start);
    std::sort(lateness.begin(), lateness.end());
    EXPECT_LE(lateness[lateness.size() / 2], 100);
    // Then the stop's silence and reset, and the clear's reset.
    ASSERT_EQ(lines.size(), line + 32 + 2);
    EXPECT_EQ(lines.back().type, "reset");
}

TEST(ToolRonvaletPlay, SoundsThroughFluidSynth) {
    if (::access("/usr/share/sounds/sf2/default-GM.sf2", R_OK) != 0 &&
        ::access("/usr/share/sounds/sf3/default-GM.sf3", R_OK) != 0) {
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    }
    std::string mid = abcToMidi("tempo_change.abc");
    if (mid.empty()) GTEST_SKIP() << "abc2midi not available";
    std::string wav = rvtest::scratchPath("render.wav");
    std::string cmd =
        "RONVALET_OUTPUT=fluidsynth RONVALET_AUDIO_DRIVER=file RONVALET_AUDIO_FILE='" + wav +
        "' '" + kPlayer + "' '" + mid + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream in(wav, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u + 44100u * 4u);  // more than a second of 16-bit stereo
    int peak = 0;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
        int sample = int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        peak = std::max(peak, std::abs(sample));
    }
    EXPECT_GT(peak, 100) << "the rendered audio is silent";
}

// RONVALET_REVERB=0 turns FluidSynth's reverb and chorus off: the same song renders dry.
TEST(ToolRonvaletPlay, ReverbSwitchChangesTheSound) {
    if (::access("/usr/share/sounds/sf2/default-GM.sf2", R_OK) != 0 &&
        ::access("/usr/share/sounds/sf3/default-GM.sf3", R_OK) != 0) {
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    }
    std::string mid = abcToMidi("tempo_change.abc");
    if (mid.empty()) GTEST_SKIP() << "abc2midi not available";
    std::vector<char> renders[2];
    for (int on = 0; on < 2; ++on) {
        std::string wav = rvtest::scratchPath("reverb" + std::to_string(on) + ".wav");
        std::string cmd = "RONVALET_OUTPUT=fluidsynth RONVALET_AUDIO_DRIVER=file RONVALET_REVERB=" +
                          std::to_string(on) + " RONVALET_AUDIO_FILE='" + wav + "' '" + kPlayer +
                          "' '" + mid + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        std::ifstream in(wav, std::ios::binary);
        renders[on].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_GT(renders[on].size(), 44u + 44100u * 4u);
    }
    EXPECT_NE(renders[0], renders[1]) << "RONVALET_REVERB made no difference";
}

TEST(GameSongs, TheFiveSongsLoadAndEndWithinMinutes) {
    const char* names[] = {"select2.mid", "sekkou.mid", "bQelnRX_zvorin01.mid", "starship.mid",
                           "dawn.mid"};
    for (const char* name : names) {
        std::string path = std::string(ZV_BIN_DIR) + "/" + name;
        if (::access(path.c_str(), R_OK) != 0) GTEST_SKIP() << name << " not built";
        Song song;
        Tempo tempo;
        ASSERT_EQ(loadSmfFile(path.c_str(), song, tempo), LoadResult::Ok) << name;
        EXPECT_GT(noteOns(song), 0) << name;
        EXPECT_LT(song.events.back().time, 10u * 60 * 1000) << name;
        EXPECT_GT(tempo.bpm, 20.0) << name;
    }
}
