#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio_device.h"

namespace {

using plat::SoundFrames;

std::shared_ptr<const SoundFrames> Constant(size_t frames, int16_t left, int16_t right) {
    auto s = std::make_shared<SoundFrames>(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        (*s)[i * 2] = left;
        (*s)[i * 2 + 1] = right;
    }
    return s;
}

TEST(SoundConversion, SourceFormatsBecomeStereoAtTheOutputRate) {
    SoundFrames out;
    // 16-bit stereo at the output rate passes unchanged.
    const int16_t st[] = {100, -200, 300, -400};
    ASSERT_TRUE(plat::ConvertToOutput({1, 2, 44100, 16}, reinterpret_cast<const uint8_t*>(st),
                                      sizeof st, out));
    EXPECT_EQ(out, (SoundFrames{100, -200, 300, -400}));

    // 8-bit unsigned mono at half the rate: twice the frames, both channels alike, values
    // between neighbours interpolated.
    const uint8_t u8[] = {128, 192, 64};
    ASSERT_TRUE(plat::ConvertToOutput({1, 1, 22050, 8}, u8, sizeof u8, out));
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], 8192);  // half-way from 0 to 0.5
    EXPECT_EQ(out[4], 16384);
    EXPECT_EQ(out[4], out[5]);
    EXPECT_EQ(out[8], -16384);

    // 32-bit float; a partial last frame is dropped.
    const float f[] = {1.0f, -1.0f, 0.5f};
    ASSERT_TRUE(plat::ConvertToOutput({3, 2, 44100, 32}, reinterpret_cast<const uint8_t*>(f),
                                      sizeof f, out));
    EXPECT_EQ(out, (SoundFrames{32767, -32768}));

    // 24-bit mono.
    const uint8_t s24[] = {0x00, 0x00, 0xC0};  // -0.5
    ASSERT_TRUE(plat::ConvertToOutput({1, 1, 44100, 24}, s24, sizeof s24, out));
    EXPECT_EQ(out[0], -16384);
}

TEST(SoundConversion, UnsupportedFormatsAreRefused) {
    SoundFrames out;
    const uint8_t d[16] = {};
    EXPECT_FALSE(plat::ConvertToOutput({2, 1, 22050, 4}, d, sizeof d, out));   // ADPCM
    EXPECT_FALSE(plat::ConvertToOutput({1, 1, 22050, 12}, d, sizeof d, out));  // 12 bits
    EXPECT_FALSE(plat::ConvertToOutput({1, 3, 22050, 16}, d, sizeof d, out));  // 3 channels
    EXPECT_FALSE(plat::ConvertToOutput({1, 0, 22050, 16}, d, sizeof d, out));
    EXPECT_FALSE(plat::ConvertToOutput({1, 1, 0, 16}, d, sizeof d, out));
    EXPECT_FALSE(plat::ConvertToOutput({3, 1, 22050, 64}, d, sizeof d, out));
    EXPECT_TRUE(plat::ConvertToOutput({1, 1, 22050, 16}, d, 0, out));  // empty is fine
    EXPECT_TRUE(out.empty());
}

TEST(SoundMixer, VoicesAddUpAndClip) {
    plat::Mixer m;
    const int32_t a = m.Create(Constant(10, 20000, -1000));
    const int32_t b = m.Duplicate(a);
    const int32_t c = m.Create(Constant(4, 5, 5));
    ASSERT_GE(b, 0);
    m.Play(a, false);
    m.Play(b, false);
    m.Play(c, false);
    int16_t out[2 * 6];
    m.Mix(out, 6);
    EXPECT_EQ(out[0], 32767);  // 40005 clipped
    EXPECT_EQ(out[1], -1995);
    EXPECT_EQ(out[10], 32767);  // c has ended after 4 frames
    EXPECT_EQ(out[11], -2000);
    EXPECT_FALSE(m.Playing(c));
    EXPECT_TRUE(m.Playing(a));

    m.Stop(b);
    m.Mix(out, 6);  // a's last 4 frames, then silence
    EXPECT_EQ(out[0], 20000);
    EXPECT_EQ(out[7], -1000);
    EXPECT_EQ(out[8], 0);
    EXPECT_FALSE(m.Playing(a));
    EXPECT_EQ(m.Duplicate(99), -1);
}

TEST(SoundMixer, LoopedVoicesWrapAndRestartsRewind) {
    plat::Mixer m;
    auto s = std::make_shared<SoundFrames>(SoundFrames{1, 1, 2, 2, 3, 3});
    const int32_t v = m.Create(s);
    m.Play(v, true);
    int16_t out[2 * 7];
    m.Mix(out, 7);
    const int16_t left[] = {1, 2, 3, 1, 2, 3, 1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(out[i * 2], left[i]) << i;
    EXPECT_TRUE(m.Playing(v));
    m.Play(v, false);  // rewinds to the start
    m.Mix(out, 2);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[2], 2);
}

TEST(SoundMixer, AdvancingEndsVoicesLikeMixing) {
    plat::Mixer m;
    const int32_t once = m.Create(Constant(1000, 1, 1));
    const int32_t loop = m.Duplicate(once);
    m.Play(once, false);
    m.Play(loop, true);
    m.Advance(999);
    EXPECT_TRUE(m.Playing(once));
    m.Advance(1);
    EXPECT_FALSE(m.Playing(once));
    m.Advance(123456);
    EXPECT_TRUE(m.Playing(loop));
    // A mix of a very long request (beyond the scratch size) keeps going.
    std::vector<int16_t> out(2 * 5000);
    m.Mix(out.data(), 5000);
    EXPECT_EQ(out[2 * 4999], 1);
}

uint32_t ClockMs = 0;
uint32_t Clock() {
    return ClockMs;
}

TEST(NullSoundDevice, ClockGivesOutputFramesWithoutDrift) {
    ClockMs = 0xFFFFFF00u;  // wraps during the test
    plat::NullAudioClock c;
    c.Start(Clock);
    size_t total = 0;
    for (int i = 0; i < 1000; ++i) {
        ClockMs += 1;
        total += c.Elapsed();
    }
    EXPECT_EQ(total, 44100u);
    ClockMs += 16;
    EXPECT_EQ(c.Elapsed(), 705u);  // 16 * 44.1 = 705.6, the .6 is carried
    ClockMs += 16;
    EXPECT_EQ(c.Elapsed(), 706u);
}

TEST(NullSoundDevice, NeedsAClockAndClosesCleanly) {
    std::string error;
    EXPECT_FALSE(plat::AudioOpen(plat::AudioKind::Null, nullptr, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(plat::AudioIsOpen());
    EXPECT_EQ(plat::BufferCreate({1, 1, 22050, 16}, nullptr, 0), -1);
    ASSERT_TRUE(plat::AudioOpen(plat::AudioKind::Null, Clock, error));
    const int16_t one[2] = {5, 5};
    const int32_t b =
        plat::BufferCreate({1, 1, 44100, 16}, reinterpret_cast<const uint8_t*>(one), sizeof one);
    EXPECT_GE(b, 0);
    plat::BufferPlay(b, false);
    EXPECT_TRUE(plat::BufferPlaying(b));
    plat::AudioClose();
    EXPECT_FALSE(plat::BufferPlaying(b));
}

TEST(SdlSoundDevice, OpensOnTheDummyDriverAndPlays) {
    // SDL's dummy driver: a real device thread that pulls the mixer, without a sound card.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    ASSERT_TRUE(plat::AudioOpen(plat::AudioKind::Sdl, nullptr, error)) << error;
    // Twenty seconds mono: the device thread plays it in real time, and no hold-up of this
    // thread on a busy machine lets it end before the checks below.
    std::vector<int16_t> data(20 * 44100, 1000);
    const int32_t b = plat::BufferCreate(
        {1, 1, 44100, 16}, reinterpret_cast<const uint8_t*>(data.data()), data.size() * 2);
    ASSERT_GE(b, 0);
    const int32_t copy = plat::BufferDuplicate(b);
    plat::BufferPlay(copy, false);
    EXPECT_TRUE(plat::BufferPlaying(copy));
    EXPECT_FALSE(plat::BufferPlaying(b));
    plat::BufferStop(copy);
    EXPECT_FALSE(plat::BufferPlaying(copy));
    plat::AudioClose();
    EXPECT_FALSE(plat::AudioIsOpen());
}

}  // namespace
