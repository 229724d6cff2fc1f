// The five songs as the build writes them: valid Standard MIDI Files with bass, harmony,
// melody and drums, each lasting its scene.
#include "audio/music.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

#include "audio/audio.h"

namespace {

// What the test needs to know of a song, read by a small reader of its own.
struct SongFacts {
    int format = -1;
    int division = 0;
    std::vector<uint32_t> trackEnds;          // last tick of each track
    std::map<int, int> notesPerChannel;       // note-ons with velocity > 0
    std::map<int, int> programPerChannel;
    std::multiset<int> drumNotes;
    double seconds = 0;
};

struct Cursor {
    const std::vector<uint8_t>& d;
    size_t p;
    size_t end;
    uint8_t Byte() {
        if (p >= end) throw std::runtime_error("track runs past its end");
        return d[p++];
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number too long");
    }
};

uint32_t Be(const std::vector<uint8_t>& d, size_t at, int n) {
    if (at + n > d.size()) throw std::runtime_error("file ends early");
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | d[at + i];
    return v;
}

SongFacts ReadSong(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    if (Be(d, 0, 4) != 0x4D546864 || Be(d, 4, 4) != 6) throw std::runtime_error("no MThd");
    SongFacts f;
    f.format = int(Be(d, 8, 2));
    const int tracks = int(Be(d, 10, 2));
    f.division = int(Be(d, 12, 2));
    std::vector<std::pair<uint32_t, uint32_t>> tempos;  // tick, microseconds per beat
    size_t at = 14;
    for (int t = 0; t < tracks; ++t) {
        if (Be(d, at, 4) != 0x4D54726B) throw std::runtime_error("no MTrk");
        const size_t len = Be(d, at + 4, 4);
        if (at + 8 + len > d.size()) throw std::runtime_error("track past the end of file");
        Cursor c{d, at + 8, at + 8 + len};
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        while (c.p < c.end && !ended) {
            tick += c.VarLen();
            uint8_t b = c.Byte();
            if (b == 0xFF) {
                const uint8_t type = c.Byte();
                const uint32_t n = c.VarLen();
                if (c.end - c.p < n) throw std::runtime_error("meta event past the end");
                if (type == 0x51 && n == 3) tempos.push_back({tick, Be(d, c.p, 3)});
                ended = type == 0x2F;
                c.p += n;
            } else if (b == 0xF0 || b == 0xF7) {
                c.p += c.VarLen();
            } else {
                if (b & 0x80) {
                    status = b;
                    b = c.Byte();
                } else if (status == 0) {
                    throw std::runtime_error("running status without a status");
                }
                const int kind = status >> 4, channel = status & 15;
                const uint8_t second = (kind == 0xC || kind == 0xD) ? 0 : c.Byte();
                if (kind == 0x9 && second > 0) {
                    ++f.notesPerChannel[channel];
                    if (channel == 9) f.drumNotes.insert(b);
                }
                if (kind == 0xC) f.programPerChannel[channel] = b;
            }
        }
        if (!ended) throw std::runtime_error("track without an end");
        f.trackEnds.push_back(tick);
        at += 8 + len;
    }
    // Playing time of the longest track through the tempo map (120 beats a minute before any).
    std::sort(tempos.begin(), tempos.end());
    const uint32_t last = *std::max_element(f.trackEnds.begin(), f.trackEnds.end());
    uint32_t prevTick = 0, tempo = 500000;
    for (const auto& [tick, t] : tempos) {
        if (tick > last) break;
        f.seconds += double(tick - prevTick) * tempo / f.division / 1e6;
        prevTick = tick;
        tempo = t;
    }
    f.seconds += double(last - prevTick) * tempo / f.division / 1e6;
    return f;
}

// The General MIDI percussion the songs are written with (kick, snares, clap, hats, toms,
// cymbals); anything else means a key signature bent a drum note.
const std::set<int> DrumKit = {35, 36, 38, 39, 40, 41, 42, 43, 44, 45, 46,
                               47, 48, 49, 50, 51, 52, 55, 57};

TEST(Songs, EachIsAFullArrangementThatLastsItsScene) {
    struct Need {
        int song;
        double minSeconds, maxSeconds;
    };
    // The select theme runs about a minute; a stage runs two minutes before its boss
    // approaches; a boss may last three minutes. The game never loops a song.
    const Need needs[] = {{Song::Select, 50, 80},   {Song::Boss, 180, 300},
                          {Song::Stage1, 150, 300}, {Song::Stage2, 150, 300},
                          {Song::Stage5, 150, 300}};
    for (const Need& n : needs) {
        const std::string path = std::string(ZV_BIN_DIR "/") + SongFile(n.song);
        SCOPED_TRACE(path);
        SongFacts f;
        ASSERT_NO_THROW(f = ReadSong(path));
        EXPECT_EQ(f.format, 1);
        EXPECT_GT(f.division, 0);
        EXPECT_LT(f.division, 0x8000);  // beats, not SMPTE time
        EXPECT_GE(f.seconds, n.minSeconds);
        EXPECT_LE(f.seconds, n.maxSeconds);

        // Drums on channel 10, only from the kit.
        EXPECT_GT(f.notesPerChannel[9], 200);
        for (int note : f.drumNotes) EXPECT_TRUE(DrumKit.count(note)) << "drum note " << note;
        EXPECT_GT(f.drumNotes.count(36) + f.drumNotes.count(35), 50u) << "kick";
        EXPECT_GT(f.drumNotes.count(38) + f.drumNotes.count(40), 50u) << "snare";

        // Melody, harmony and bass: three more channels, each with its instrument.
        int voiced = 0;
        for (const auto& [channel, count] : f.notesPerChannel) {
            if (channel == 9 || count < 40) continue;
            ++voiced;
            EXPECT_TRUE(f.programPerChannel.count(channel)) << "channel " << channel;
        }
        EXPECT_GE(voiced, 3);

        // Every voice runs to the end: no voice is a bar short or long.
        const uint32_t bar = uint32_t(f.division) * 4;
        for (uint32_t end : f.trackEnds) {
            if (end == 0) continue;  // a track of settings only
            EXPECT_LE(f.trackEnds.back() - std::min(end, f.trackEnds.back()), bar);
            EXPECT_LE(end - std::min(end, f.trackEnds.back()), bar);
        }
    }
}

TEST(Songs, FileNamesFollowTheSongNumbers) {
    EXPECT_STREQ(SongFile(1), "select2.mid");
    EXPECT_STREQ(SongFile(2), "sekkou.mid");
    EXPECT_STREQ(SongFile(3), "bQelnRX_zvorin01.mid");
    EXPECT_STREQ(SongFile(4), "starship.mid");
    EXPECT_STREQ(SongFile(5), "dawn.mid");
    EXPECT_EQ(SongFile(0), nullptr);
    EXPECT_EQ(SongFile(6), nullptr);
}

TEST(MusicControl, SongsStartedAndStoppedAreRecordedForTheDump) {
    ResetTickAudio();
    LoadSongs(ZV_BIN_DIR "/");  // the library's results are ignored
    PlaySong(Song::Stage1);
    EXPECT_EQ(TickAudio.Song, Song::Stage1);
    PlaySong(Song::Boss);  // starting a song replaces the one playing
    EXPECT_EQ(TickAudio.Song, Song::Boss);
    StopSong();
    EXPECT_EQ(TickAudio.Song, 0);
    ResetTickAudio();

    // Without music the requests are still recorded, so dumps match with and without it.
    MusicEnabled = false;
    PlaySong(Song::Select);
    EXPECT_EQ(TickAudio.Song, Song::Select);
    MusicEnabled = true;
    ReleaseSongs();
    ResetTickAudio();
}

}  // namespace
