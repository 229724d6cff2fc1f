// The effect list's play rule on the null sound device, with a clock the tests move.
#include "audio/effects.h"

#include <gtest/gtest.h>

#include "audio/audio.h"
#include "audio/sound_fixtures.h"
#include "platform/audio.h"

using namespace sndtest;

namespace {

uint32_t Now = 0;  // the null device's clock in milliseconds
uint32_t TestClock() { return Now; }

class PlayRule : public ::testing::Test {
protected:
    void SetUp() override {
        Now = 1000;
        std::string error;
        ASSERT_TRUE(plat::AudioOpen(plat::AudioKind::Null, TestClock, error)) << error;
        // Each wave lasts 100 ms.
        Load({Item("shot-normal2", 0), Item("laser2c", 1), Item("explosion", 3),
              Item("explosion2", 2), Item("select", 2), Item("DECIDE", 2),
              Item("sign2", 0, true)});
        ResetTickAudio();
    }
    void TearDown() override {
        ClearWaveList();
        plat::AudioClose();
    }
    static void Load(const std::vector<zvtools::CollectionItem>& items) {
        SetWaveList(ReadWaveCollection(zvtools::WriteWaveCollection(items)), "test.dxw");
    }
    static TWaveItem& ItemOf(int32_t index) { return *FindWave(EffectName(index)); }
    static int PlayingCount(const TWaveItem& item) {
        int n = 0;
        for (int32_t b : item.Buffers) n += plat::BufferPlaying(b);
        return n;
    }
};

TEST_F(PlayRule, WithoutALimitEveryOverlapGetsItsOwnCopyAndCopiesAreReused) {
    TWaveItem& shot = ItemOf(Sfx::ShotNormal);
    for (int i = 0; i < 10; ++i) PlayEffect(Sfx::ShotNormal);
    EXPECT_EQ(shot.Buffers.size(), 10u);
    EXPECT_EQ(PlayingCount(shot), 10);
    EXPECT_FALSE(plat::BufferPlaying(shot.Master));  // the master never plays

    Now += 99;
    EXPECT_EQ(PlayingCount(shot), 10);
    Now += 2;
    EXPECT_EQ(PlayingCount(shot), 0);

    const auto before = shot.Buffers;
    for (int i = 0; i < 3; ++i) PlayEffect(Sfx::ShotNormal);
    EXPECT_EQ(shot.Buffers, before);  // reused in list order, none made
    EXPECT_TRUE(plat::BufferPlaying(shot.Buffers[0]));
    EXPECT_TRUE(plat::BufferPlaying(shot.Buffers[2]));
    EXPECT_FALSE(plat::BufferPlaying(shot.Buffers[3]));
}

TEST_F(PlayRule, MaximumOneRestartsTheSameBufferFromTheStart) {
    TWaveItem& laser = ItemOf(Sfx::Laser);
    PlayEffect(Sfx::Laser);
    Now += 80;
    PlayEffect(Sfx::Laser);
    ASSERT_EQ(laser.Buffers.size(), 1u);
    Now += 50;  // 130 ms after the first play: only a restart keeps it going
    EXPECT_TRUE(plat::BufferPlaying(laser.Buffers[0]));
    Now += 60;
    EXPECT_FALSE(plat::BufferPlaying(laser.Buffers[0]));
}

TEST_F(PlayRule, AtTheMaximumTheOldestRestartsAndMovesToTheEnd) {
    TWaveItem& boom = ItemOf(Sfx::Explosion);  // maximum 3
    PlayEffect(Sfx::Explosion);
    Now += 10;
    PlayEffect(Sfx::Explosion);
    Now += 10;
    PlayEffect(Sfx::Explosion);
    ASSERT_EQ(boom.Buffers.size(), 3u);
    const int32_t a = boom.Buffers[0], b = boom.Buffers[1], c = boom.Buffers[2];

    Now += 10;  // t = 30: all three play; the oldest (a) restarts
    PlayEffect(Sfx::Explosion);
    EXPECT_EQ(boom.Buffers, (std::vector<int32_t>{b, c, a}));
    Now += 75;  // t = 105: a would have ended at 100 without the restart
    EXPECT_TRUE(plat::BufferPlaying(a));
    EXPECT_TRUE(plat::BufferPlaying(b));
    Now += 10;  // t = 115: b (started at 10) is over, c and a are not
    EXPECT_FALSE(plat::BufferPlaying(b));
    EXPECT_TRUE(plat::BufferPlaying(c));

    PlayEffect(Sfx::Explosion);  // the first idle buffer, the list unchanged
    EXPECT_EQ(boom.Buffers, (std::vector<int32_t>{b, c, a}));
    EXPECT_EQ(PlayingCount(boom), 3);
}

TEST_F(PlayRule, LoopedEntriesPlayTheirMasterWithoutEnd) {
    TWaveItem& sign = ItemOf(Sfx::Sign);
    PlayEffect(Sfx::Sign);
    PlayEffect(Sfx::Sign);
    EXPECT_TRUE(sign.Buffers.empty());
    EXPECT_TRUE(plat::BufferPlaying(sign.Master));
    Now += 10000;
    EXPECT_TRUE(plat::BufferPlaying(sign.Master));
}

TEST_F(PlayRule, IndicesMapToTheirEntries) {
    // 5 and 7 both play "decide", found regardless of case.
    TWaveItem& decide = ItemOf(Sfx::Decide);
    EXPECT_EQ(&decide, &ItemOf(Sfx::Item));
    PlayEffect(Sfx::Decide);
    PlayEffect(Sfx::Item);
    EXPECT_EQ(decide.Buffers.size(), 2u);

    // Other indices play nothing and are not recorded.
    PlayEffect(8);
    PlayEffect(-1);
    ASSERT_EQ(TickAudio.SoundCount, 2);
    EXPECT_EQ(TickAudio.Sounds[0], Sfx::Decide);
    EXPECT_EQ(TickAudio.Sounds[1], Sfx::Item);
    for (auto& item : DXWaveList1.Items) {
        if (&item != &decide) {
            EXPECT_TRUE(item.Buffers.empty()) << item.Entry.Name;
        }
    }
}

TEST_F(PlayRule, AMissingEntryIsAnError) {
    Load({Item("shot-normal2", 0)});
    try {
        PlayEffect(Sfx::Laser);
        FAIL() << "no error";
    } catch (const EWaveNotFound& e) {
        EXPECT_STREQ(e.what(), "Wave 'laser2c' not found");
    }
    EXPECT_EQ(TickAudio.SoundCount, 0);
}

TEST_F(PlayRule, WithoutADeviceNothingPlaysButTheRequestIsRecorded) {
    plat::AudioClose();
    Load({Item("shot-normal2", 0)});
    EXPECT_FALSE(DXWaveList1.Initialized);
    PlayEffect(Sfx::ShotNormal);
    EXPECT_TRUE(ItemOf(Sfx::ShotNormal).Buffers.empty());
    EXPECT_EQ(TickAudio.SoundCount, 1);
}

TEST_F(PlayRule, AWaveTheDeviceCannotPlayFailsTheLoad) {
    Bytes fmt;
    fmt.Raw("RIFF").U32(36).Raw("WAVE").Raw("fmt ").U32(16);
    fmt.U16(2).U16(1).U32(22050).U32(11025).U16(1).U16(4);  // ADPCM
    fmt.Raw("data").U32(0);
    try {
        Load({{"adpcm", false, 0, fmt.v}});
        FAIL() << "loaded";
    } catch (const std::exception& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("test.dxw"), std::string::npos) << what;
        EXPECT_NE(what.find("'adpcm'"), std::string::npos) << what;
    }
}

TEST(TickAudioRecord, KeepsAFixedNumberOfSoundsPerTick) {
    ResetTickAudio();
    for (int i = 0; i < MaxTickSounds + 5; ++i) RecordTickSound(i % Sfx::Count);
    EXPECT_EQ(TickAudio.SoundCount, MaxTickSounds);
    EXPECT_EQ(TickAudio.Sounds[9], 1);
    EXPECT_EQ(TickAudio.Song, NoSongEvent);
    ResetTickAudio();
    EXPECT_EQ(TickAudio.SoundCount, 0);
}

}  // namespace
