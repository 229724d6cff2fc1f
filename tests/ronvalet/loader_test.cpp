// Loading Standard MIDI Files: parsing, merging, packing and the millisecond conversion.
#include "loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "smf_writer.h"

using namespace ronvalet;
using smftest::Track;

namespace {

bool parse(const std::vector<uint8_t>& file, Song& song, Tempo& tempo) {
    return parseSmf(file.data(), file.size(), song, tempo);
}

bool parses(const std::vector<uint8_t>& file) {
    Song song;
    Tempo tempo;
    return parse(file, song, tempo);
}

// The channel events of a song, as packed messages.
std::vector<uint32_t> messages(const Song& song) {
    std::vector<uint32_t> out;
    for (const Event& e : song.events) {
        if (e.kind < 0xF0) out.push_back(e.data);
    }
    return out;
}

uint32_t packed(uint8_t status, uint8_t d1, uint8_t d2) {
    return status | d1 << 8 | d2 << 16;
}

}  // namespace

TEST(LoaderFormat0, PacksChannelMessagesAndEndsWithOneEndMark) {
    Track t;
    t.raw(0, {0xC3, 0x15})           // program change: one data byte
        .raw(0, {0xB3, 0x07, 0x64})  // control change
        .on(480, 3, 60, 90)
        .raw(0, {0xE3, 0x00, 0x40})  // pitch bend centre
        .raw(0, {0xD3, 0x33})        // channel pressure
        .raw(0, {0xA3, 0x3C, 0x22})  // key pressure
        .off(480, 3, 60)
        .end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(0, 480, {t}), song, tempo));

    EXPECT_EQ(messages(song),
              (std::vector<uint32_t>{0xC3 | 0x15 << 8, packed(0xB3, 7, 100), packed(0x93, 60, 90),
                                     packed(0xE3, 0, 0x40), 0xD3 | 0x33 << 8,
                                     packed(0xA3, 0x3C, 0x22), packed(0x83, 60, 0)}));
    ASSERT_EQ(song.events.size(), 8u);
    EXPECT_EQ(song.events.back().kind, kKindEndMark);
    EXPECT_EQ(song.events[2].kind, 0x90);
    EXPECT_EQ(song.events[2].channel, 3);
    // 120 beats a minute by default: a quarter note of 480 ticks lasts 500 ms.
    EXPECT_EQ(song.events[2].time, 500u);
    EXPECT_EQ(song.events[6].time, 1000u);
    EXPECT_EQ(tempo.division, 480);
    EXPECT_EQ(tempo.format, 0);
    EXPECT_DOUBLE_EQ(tempo.bpm, 120.0);
}

TEST(LoaderFormat0, TempoChangeMidSongGivesExactMilliseconds) {
    // Division 480: each tick lasts 500/480 ms until the tempo event at tick 480, 1000/480 after.
    Track t;
    for (int k = 1; k <= 47; ++k) t.on(1, 0, 60);
    t.tempo(480 - 47, 1000000);
    for (int j = 1; j <= 47; ++j) t.off(1, 0, 60);
    t.end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(0, 480, {t}), song, tempo));
    ASSERT_EQ(song.events.size(), 47u + 1 + 47 + 1);
    for (int k = 1; k <= 47; ++k) {
        if (k % 24 == 0) continue;  // exact whole milliseconds: either side is fair
        EXPECT_EQ(song.events[k - 1].time, uint32_t(k * 500 / 480)) << "tick " << k;
    }
    // The sum keeps its fraction: 30 ticks are 31.25 ms, not 30 whole milliseconds.
    EXPECT_EQ(song.events[29].time, 31u);
    for (int j = 1; j <= 47; ++j) {
        if (j % 12 == 0) continue;
        EXPECT_EQ(song.events[47 + j].time, uint32_t(500 + j * 1000 / 480)) << "tick 480+" << j;
    }
    EXPECT_DOUBLE_EQ(tempo.bpm, 60.0);  // the last tempo of the song
    EXPECT_DOUBLE_EQ(tempo.msPerTick, 1000.0 / 480);
}

TEST(LoaderFormat0, RunningStatusContinuesAcrossMetaAndSysex) {
    Track t;
    t.on(0, 2, 60, 100)
        .meta(10, 0x01, "lyric")
        .raw(10, {62, 101})  // running status note on
        .sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
        .raw(10, {64, 102})
        .end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(0, 480, {t}), song, tempo));
    EXPECT_EQ(messages(song), (std::vector<uint32_t>{packed(0x92, 60, 100), packed(0x92, 62, 101),
                                                     packed(0x92, 64, 102)}));
}

TEST(LoaderFormat0, StoresTextsAndSystemExclusiveWithTheSong) {
    std::string text127(127, 'a');
    std::string text300(300, 'b');  // a two-byte length
    Track t;
    t.meta(0, 0x03, text127)
        .meta(0, 0x01, text300)
        .sysex(0, {0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7})
        .sysex(0, {0x01, 0x02, 0x03})  // no closing byte in the file: the last byte becomes it
        .raw(0, {0xFF, 0x58, 0x04, 6, 3, 24, 8})
        .raw(0, {0xFF, 0x00, 0x02, 0x12, 0x34})
        .end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(0, 96, {t}), song, tempo));
    ASSERT_EQ(song.events.size(), 7u);
    EXPECT_EQ(song.text(song.events[0]), text127);
    EXPECT_EQ(song.text(song.events[1]), text300);

    const Event& gs = song.events[2];
    EXPECT_EQ(gs.kind, kKindSysex);
    EXPECT_EQ(gs.length, 10);
    ASSERT_EQ(song.sysexSize(gs), 11u);
    const uint8_t* b = song.sysexBytes(gs);
    EXPECT_EQ(
        std::vector<uint8_t>(b, b + 11),
        (std::vector<uint8_t>{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7}));
    const Event& cut = song.events[3];
    ASSERT_EQ(song.sysexSize(cut), 4u);
    EXPECT_EQ(song.sysexBytes(cut)[3], 0xF7);

    EXPECT_EQ(song.events[4].data, 6u | 3u << 8);        // time signature
    EXPECT_EQ(song.events[5].data, 2u | 0x1234u << 16);  // sequence number
}

TEST(LoaderFormat1, MergesTracksLowerTrackFirstOnEqualTimes) {
    Track conductor, a, b;
    conductor.tempo(0, 500000).on(10, 0, 1).end();
    a.on(10, 1, 2).on(0, 1, 3).end(5);
    b.on(5, 2, 4).on(5, 2, 5).on(1, 2, 6).end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(1, 1000, {conductor, a, b}), song, tempo));
    std::vector<uint32_t> keys;
    for (const Event& e : song.events) {
        if (e.kind == 0x90) keys.push_back(e.data >> 8 & 0xFF);
    }
    EXPECT_EQ(keys, (std::vector<uint32_t>{4, 1, 2, 3, 5, 6}));
    int endMarks = 0;
    for (const Event& e : song.events) endMarks += e.kind == kKindEndMark;
    EXPECT_EQ(endMarks, 1);
    EXPECT_EQ(song.events.back().kind, kKindEndMark);
    EXPECT_EQ(song.events.size(), 1u + 6 + 1);
    EXPECT_EQ(tempo.trackCount, 1);
    EXPECT_EQ(tempo.format, 1);
    for (size_t i = 1; i < song.events.size(); ++i) {
        EXPECT_LE(song.events[i - 1].time, song.events[i].time);
    }
}

TEST(LoaderFormat1, AcceptsThirtyThreeTracksAndRejectsThirtyFour) {
    std::vector<Track> tracks(34);
    for (size_t i = 0; i < tracks.size(); ++i) tracks[i].on(uint32_t(i), 0, 60).end();
    EXPECT_FALSE(parses(smftest::smf(1, 480, tracks)));
    tracks.pop_back();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(1, 480, tracks), song, tempo));
    EXPECT_EQ(song.events.size(), 33u + 1);
}

TEST(LoaderRejects, BadHeaders) {
    Track t;
    t.on(0, 0, 60).end();
    smftest::Header h;
    h.format = 2;
    EXPECT_FALSE(parses(smftest::smf(h, {t})));
    h = {};
    h.length = 7;
    EXPECT_FALSE(parses(smftest::smf(h, {t})));
    h = {};
    h.division = 0;
    EXPECT_FALSE(parses(smftest::smf(h, {t})));
    h = {};
    h.format = 1;
    h.trackCount = 0;
    EXPECT_FALSE(parses(smftest::smf(h, {t})));
    h = {};
    EXPECT_TRUE(parses(smftest::smf(h, {t})));  // the same track is fine otherwise
}

TEST(LoaderRejects, UnknownStatusAndEmptyTracks) {
    Track runningFirst, systemCommon, empty, ok;
    runningFirst.raw(0, {60, 100}).end();
    systemCommon.on(0, 0, 60).raw(0, {0xF2, 0x00, 0x00}).end();
    ok.on(0, 0, 60).end();
    EXPECT_FALSE(parses(smftest::smf(0, 480, {runningFirst})));
    EXPECT_FALSE(parses(smftest::smf(0, 480, {systemCommon})));
    EXPECT_FALSE(parses(smftest::smf(0, 480, {empty})));
    EXPECT_FALSE(parses(smftest::smf(1, 480, {ok, empty})));
    EXPECT_TRUE(parses(smftest::smf(1, 480, {ok, ok})));
}

TEST(LoaderRejects, EveryTruncationOfAFileFailsCleanly) {
    Track a, b;
    a.tempo(0, 400000).meta(0, 0x03, "Title").sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7});
    a.on(10, 0, 60).raw(10, {62, 90}).off(10, 0, 60).end();
    b.raw(0, {0xC1, 5}).on(5, 1, 70).off(300, 1, 70).end();
    std::vector<uint8_t> file = smftest::smf(1, 480, {a, b});
    ASSERT_TRUE(parses(file));
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        EXPECT_FALSE(parses(cut)) << "cut at " << n;
    }
}

TEST(LoaderRejects, EventsCrossingTheChunkEnd) {
    Track t;
    t.on(0, 0, 60).end();
    std::vector<uint8_t> file = smftest::smf(0, 480, {t});
    // Shrink the chunk length by one: the end of track now runs past the chunk.
    file[21] -= 1;
    EXPECT_FALSE(parses(file));
    // A meta length that runs past the chunk.
    Track m;
    m.on(0, 0, 60).raw(0, {0xFF, 0x01, 0x7F, 'x'});
    EXPECT_FALSE(parses(smftest::smf(0, 480, {m})));
}

TEST(LoaderRejects, GarbageNeverCrashes) {
    std::mt19937 rng(12345);
    Track t;
    t.on(0, 0, 60).end();
    std::vector<uint8_t> base = smftest::smf(0, 480, {t});
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> file(base.begin(), base.begin() + 22);  // header and chunk prefix
        size_t body = rng() % 64;
        for (size_t i = 0; i < body; ++i) file.push_back(uint8_t(rng()));
        uint32_t len = uint32_t(rng() % 80);
        file[18] = 0, file[19] = 0, file[20] = 0, file[21] = uint8_t(len);
        Song song;
        Tempo tempo;
        if (parse(file, song, tempo)) {
            ASSERT_FALSE(song.events.empty());
            EXPECT_EQ(song.events.back().kind, kKindEndMark);
            EXPECT_LE(len, body);
        }
    }
}

TEST(LoaderEdges, OverlongDeltaReadsAsZeroAndHugeTimesClamp) {
    Track t;
    t.on(100, 0, 60);
    t.bytes.insert(t.bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF});  // more than four bytes: reads 0
    t.bytes.insert(t.bytes.end(), {0x80, 60, 0});
    t.end();
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(0, 500, {t}), song, tempo));
    ASSERT_EQ(song.events.size(), 3u);
    EXPECT_EQ(song.events[1].data, packed(0x80, 60, 0));
    EXPECT_EQ(song.events[1].time, song.events[0].time);

    Track slow;  // the slowest tempo over the longest delta: beyond 32 bits of milliseconds
    slow.tempo(0, 0xFFFFFF).on(0x0FFFFFFF, 0, 60).end();
    ASSERT_TRUE(parse(smftest::smf(0, 1, {slow}), song, tempo));
    EXPECT_EQ(song.events[1].time, 0xFFFFFFFFu);
}

TEST(LoaderFormat1, ManyTracksMergeLikeAStableSortByTime) {
    std::mt19937 rng(99);
    struct Expected {
        uint32_t tick, track, index;
    };
    std::vector<Track> tracks(33);
    std::vector<Expected> expected;
    for (uint32_t t = 0; t < tracks.size(); ++t) {
        uint32_t tick = 0;
        uint32_t count = rng() % 40;  // some tracks hold only their end of track
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t delta = rng() % 3 == 0 ? 0 : rng() % 20;
            tick += delta;
            tracks[t].on(delta, 0, int(t), int(i));
            expected.push_back({tick, t, i});
        }
        tracks[t].end(rng() % 5);
    }
    std::stable_sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
    });
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(1, 500, tracks), song, tempo));  // one tick, one millisecond
    ASSERT_EQ(song.events.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        const Event& e = song.events[i];
        EXPECT_EQ(e.time, expected[i].tick) << i;
        EXPECT_EQ(e.data, packed(0x90, uint8_t(expected[i].track), uint8_t(expected[i].index)))
            << i;
    }
}

TEST(LoaderFormat1, EndMarkIsTheOneOfTheTrackThatGaveTheLastEvent) {
    Track early, late;
    early.on(5, 0, 60).end(1000);  // its end of track comes last, but its notes do not
    late.on(50, 1, 62).end(7);
    Song song;
    Tempo tempo;
    ASSERT_TRUE(parse(smftest::smf(1, 500, {early, late}), song, tempo));
    ASSERT_EQ(song.events.size(), 3u);
    EXPECT_EQ(song.events[2].kind, kKindEndMark);
    EXPECT_EQ(song.events[2].time, 57u);
}
