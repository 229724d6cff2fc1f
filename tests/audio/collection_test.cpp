#include "audio/collection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "audio/effects.h"
#include "audio/sound_fixtures.h"
#include "base/paths.h"
#include "common/soundsynth.h"
#include "common/wavefile.h"

using namespace sndtest;

namespace {

// The reason a stream is rejected with; fails the test when it is accepted.
std::string Rejection(const std::vector<uint8_t>& stream) {
    try {
        ReadWaveCollection(stream);
    } catch (const EWaveReadError& e) {
        return e.what();
    }
    ADD_FAILURE() << "stream accepted";
    return "";
}

std::vector<int16_t> SamplesOf(const TWaveEntry& e) {
    std::vector<int16_t> s(e.Info.DataSize / 2);
    for (size_t i = 0; i < s.size(); ++i) {
        const uint8_t* p = e.Wave.data() + e.Info.DataPos + i * 2;
        s[i] = int16_t(uint16_t(p[0] | p[1] << 8));
    }
    return s;
}

TEST(SoundCollection, WrittenEntriesReadBackTheSame) {
    std::vector<zvtools::CollectionItem> items = {
        {"shot", false, 4, MonoWave(300, 22050)},
        {"Loop", true, 0, MonoWave(1, 44100)},
        {"big-max", false, 1000, MonoWave(17, 11025)},         // a 2-byte integer
        {"huge-max", false, 70000, MonoWave(5, 8000)},         // a 4-byte integer
        {std::string(300, 'n'), false, 0, MonoWave(2, 8000)},  // a long string
    };
    const auto entries = ReadWaveCollection(zvtools::WriteWaveCollection(items));
    ASSERT_EQ(entries.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].Name, items[i].name);
        EXPECT_EQ(entries[i].Looped, items[i].looped);
        EXPECT_EQ(entries[i].MaxPlayingCount, items[i].maxPlayingCount);
        EXPECT_EQ(entries[i].Wave, items[i].wave);
        EXPECT_EQ(entries[i].Info.Format.BitsPerSample, 16);
        EXPECT_EQ(entries[i].Info.Format.Channels, 1);
        EXPECT_EQ(entries[i].Info.DataPos, 44u);
    }
    EXPECT_EQ(entries[0].Info.Format.SamplesPerSec, 22050u);
    EXPECT_EQ(SamplesOf(entries[0]), Ramp(300));
    EXPECT_EQ(entries[2].Info.Format.SamplesPerSec, 11025u);
}

TEST(SoundCollection, GeneratedFileHoldsTheSevenSynthesisedEffects) {
    std::ifstream in(ZV_BIN_DIR "/se.dxw", std::ios::binary);
    ASSERT_TRUE(in) << "the build writes se.dxw";
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    const auto entries = ReadWaveCollection(bytes);
    ASSERT_EQ(entries.size(), 7u);

    // Every name an effect index plays is there exactly once.
    for (int32_t i = 0; i < Sfx::Count; ++i) {
        int found = 0;
        for (const auto& e : entries) found += e.Name == EffectName(i);
        EXPECT_EQ(found, 1) << EffectName(i);
    }
    // And each entry is the synthesiser's output for its source file, sample for sample.
    const std::filesystem::path dir = ZV_SOURCE_DIR "/assets/sounds";
    size_t checked = 0;
    for (const auto& f : std::filesystem::directory_iterator(dir)) {
        if (f.path().extension() != ".sound") continue;
        std::ifstream src(f.path());
        std::stringstream text;
        text << src.rdbuf();
        const auto spec = zvtools::ParseSoundSpec(text.str(), f.path().string());
        const auto samples = zvtools::Synthesize(spec);
        for (const auto& e : entries) {
            if (e.Name != spec.name) continue;
            ++checked;
            EXPECT_EQ(e.Looped, spec.looped) << e.Name;
            EXPECT_EQ(e.MaxPlayingCount, spec.maximum) << e.Name;
            EXPECT_EQ(e.Info.Format.SamplesPerSec, spec.rate) << e.Name;
            EXPECT_EQ(SamplesOf(e), samples) << e.Name;
            // Not silent, not clipped flat, and short enough for an effect.
            int peak = 0;
            for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
            EXPECT_GT(peak, 3000) << e.Name;
            EXPECT_LT(peak, 32767) << e.Name;
            EXPECT_LE(samples.size(), size_t(spec.rate) * 2) << e.Name;
        }
    }
    EXPECT_EQ(checked, 7u);
}

TEST(SoundCollection, AcceptsEveryFormTheStreamAllows) {
    const auto wave = MonoWave(4, 8000);
    Bytes b;
    b.Raw("TPF0").U8(0xF2).U8(ValueTag::Int8).U8(3);  // flags with a child position
    b.Short("TWAVECOLLECTIONCOMPONENT").Short("DXWaveList1");
    b.Short("Tag").U8(ValueTag::Int16).U16(500);
    b.Short("List").U8(ValueTag::Collection);
    // An item with an order value, a long string, names in other cases, a negative maximum.
    b.U8(ValueTag::Int32).U32(7).U8(ValueTag::List);
    b.Short("name").U8(ValueTag::LString).U32(5).Raw("boom!");
    b.Short("LOOPED").U8(ValueTag::True);
    b.Short("maxplayingcount").U8(ValueTag::Int8).U8(uint8_t(-5));
    b.Short("wave.wave").U8(ValueTag::Binary).U32(uint32_t(wave.size())).Append(wave);
    b.U8(0);
    // An item with no properties at all keeps every default.
    b.U8(ValueTag::List).U8(0);
    CollectionTail(b);
    b.Raw("trailing bytes are not read");

    const auto entries = ReadWaveCollection(b.v);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "boom!");
    EXPECT_TRUE(entries[0].Looped);
    EXPECT_EQ(entries[0].MaxPlayingCount, 0);  // negative counts as 0
    EXPECT_EQ(entries[0].Wave, wave);
    EXPECT_EQ(entries[1].Name, "");
    EXPECT_FALSE(entries[1].Looped);
    EXPECT_EQ(entries[1].MaxPlayingCount, 0);
    EXPECT_TRUE(entries[1].Wave.empty());

    // A stream without a List reads as an empty collection.
    Bytes empty;
    empty.Raw("TPF0").Short("TWaveCollectionComponent").Short("").U8(0).U8(0);
    EXPECT_TRUE(ReadWaveCollection(empty.v).empty());
}

TEST(SoundCollection, EveryTruncationIsRejected) {
    const auto whole = zvtools::WriteWaveCollection({Item("a", 2), Item("b", 0, true, 5)});
    ASSERT_NO_THROW(ReadWaveCollection(whole));
    for (size_t n = 0; n < whole.size(); ++n) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
        EXPECT_THROW(ReadWaveCollection(cut), EWaveReadError) << "cut at " << n;
    }
}

TEST(SoundCollection, MalformedStreamsNameTheirFault) {
    const auto wave = MonoWave(4, 8000);
    auto withItem = [&](const std::function<void(Bytes&)>& props) {
        Bytes b = CollectionHead();
        b.U8(ValueTag::List);
        props(b);
        b.U8(0);
        return CollectionTail(b).v;
    };

    Bytes sig;
    sig.Raw("TPF1").Short("TWaveCollectionComponent").Short("").U8(0).U8(0);
    EXPECT_NE(Rejection(sig.v).find("signature"), std::string::npos);

    Bytes cls;
    cls.Raw("TPF0").Short("TDXImageList").Short("").U8(0).U8(0);
    EXPECT_NE(Rejection(cls.v).find("TDXImageList"), std::string::npos);

    Bytes rootProp;
    rootProp.Raw("TPF0").Short("TWaveCollectionComponent").Short("").Short("Items");
    rootProp.U8(ValueTag::Int8).U8(1).U8(0).U8(0);
    EXPECT_NE(Rejection(rootProp.v).find("Items does not exist"), std::string::npos);

    Bytes listTag;
    listTag.Raw("TPF0")
        .Short("TWaveCollectionComponent")
        .Short("")
        .Short("List")
        .U8(ValueTag::List);
    EXPECT_NE(Rejection(listTag.v).find("List"), std::string::npos);

    Bytes noListBegin = CollectionHead();
    noListBegin.U8(ValueTag::Int8).U8(0).U8(ValueTag::String);
    EXPECT_NE(Rejection(noListBegin.v).find("does not begin a list"), std::string::npos);

    EXPECT_NE(Rejection(withItem([](Bytes& b) {
                  b.Short("Volume").U8(ValueTag::Int8).U8(1);
              })).find("Volume does not exist"),
              std::string::npos);
    EXPECT_NE(Rejection(withItem([](Bytes& b) {
                  b.Short("Looped").U8(ValueTag::Int8).U8(1);
              })).find("Looped"),
              std::string::npos);
    EXPECT_NE(Rejection(withItem([](Bytes& b) {
                  b.Short("Name").U8(ValueTag::Int8).U8(1);
              })).find("Name"),
              std::string::npos);
    EXPECT_NE(Rejection(withItem([](Bytes& b) {
                  b.Short("MaxPlayingCount").U8(ValueTag::True);
              })).find("MaxPlayingCount"),
              std::string::npos);
    EXPECT_NE(
        Rejection(withItem([&](Bytes& b) {
            b.Short("Wave.WAVE").U8(ValueTag::LString).U32(uint32_t(wave.size())).Append(wave);
        })).find("Wave.WAVE"),
        std::string::npos);
    // A block length far past the end.
    EXPECT_NE(Rejection(withItem([](Bytes& b) {
                  b.Short("Wave.WAVE").U8(ValueTag::Binary).U32(0xFFFFFFF0u).Raw("RIFF");
              })).find("ends early"),
              std::string::npos);

    // A wave that is not RIFF/WAVE: the wave's own error, with the entry it belongs to.
    auto badWave = wave;
    badWave[8] = 'X';
    const std::string why = Rejection(withItem([&](Bytes& b) {
        b.Short("Name").U8(ValueTag::String).Short("decide");
        b.Short("Wave.WAVE").U8(ValueTag::Binary).U32(uint32_t(badWave.size())).Append(badWave);
    }));
    EXPECT_NE(why.find("Wave is invalid"), std::string::npos) << why;
    EXPECT_NE(why.find("'decide'"), std::string::npos) << why;

    Bytes children = CollectionHead();
    children.U8(0).U8(0).U8(ValueTag::String);
    EXPECT_NE(Rejection(children.v).find("children"), std::string::npos);
}

// A wave image from raw chunks after the RIFF header.
std::vector<uint8_t> WaveOf(const Bytes& chunks, const char* riff = "RIFF",
                            const char* form = "WAVE") {
    Bytes b;
    b.Raw(riff).U32(uint32_t(chunks.v.size() + 4)).Raw(form).Append(chunks.v);
    return b.v;
}
Bytes& FmtChunk(Bytes& b, uint32_t size = 16) {
    b.Raw("fmt ").U32(size).U16(1).U16(2).U32(44100).U32(176400).U16(4).U16(16);
    for (uint32_t i = 16; i < size; ++i) b.U8(0);
    return b;
}

TEST(WaveImage, ChunkWalkFollowsTheSizesAsTheyStand) {
    Bytes b;
    b.Raw("LIST").U32(3).Raw("abc");  // odd size, no padding byte
    FmtChunk(b, 18);                  // a longer format record is fine
    b.Raw("data").U32(4).U32(0x11223344);
    b.Raw("junk").U32(1).U8(9);
    auto info = ParseWave(WaveOf(b));
    EXPECT_EQ(info.Format.Channels, 2);
    EXPECT_EQ(info.Format.SamplesPerSec, 44100u);
    EXPECT_EQ(info.Format.BitsPerSample, 16);
    EXPECT_EQ(info.DataPos, 12u + 11 + 26 + 8);
    EXPECT_EQ(info.DataSize, 4u);

    // An id of zero ends the walk: a data chunk behind it is never seen.
    Bytes z;
    FmtChunk(z);
    z.U32(0).U32(0).Raw("data").U32(2).U16(7);
    info = ParseWave(WaveOf(z));
    EXPECT_EQ(info.DataSize, 0u);

    // A chunk header cut short at the end counts as zero as well.
    Bytes cut;
    FmtChunk(cut);
    cut.Raw("data").U16(0);
    EXPECT_EQ(ParseWave(WaveOf(cut)).DataSize, 0u);

    // A skipped chunk whose size runs past the end just ends the walk.
    Bytes longSkip;
    FmtChunk(longSkip);
    longSkip.Raw("LIST").U32(1000).Raw("xy");
    EXPECT_EQ(ParseWave(WaveOf(longSkip)).Format.Channels, 2);
}

TEST(WaveImage, BadWavesAreRejected) {
    auto reason = [](const std::vector<uint8_t>& w) -> std::string {
        try {
            ParseWave(w);
        } catch (const EWaveReadError& e) {
            return e.what();
        }
        return "accepted";
    };
    Bytes fmt;
    FmtChunk(fmt);
    EXPECT_EQ(reason(WaveOf(fmt, "RIFX")), "Wave is invalid");
    EXPECT_EQ(reason(WaveOf(fmt, "RIFF", "AVI ")), "Wave is invalid");
    EXPECT_EQ(reason({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'}), "Wave is invalid");
    EXPECT_EQ(reason({}), "Wave is invalid");

    Bytes shortFmt;
    shortFmt.Raw("fmt ").U32(8).U32(0).U32(0);
    EXPECT_NE(reason(WaveOf(shortFmt)).find("too short"), std::string::npos);
    Bytes cutFmt;
    cutFmt.Raw("fmt ").U32(16).U32(0);
    EXPECT_NE(reason(WaveOf(cutFmt)).find("past the end"), std::string::npos);
    Bytes longData = fmt;
    longData.Raw("data").U32(100).U32(0);
    EXPECT_NE(reason(WaveOf(longData)).find("past the end"), std::string::npos);
    Bytes noFmt;
    noFmt.Raw("data").U32(2).U16(0);
    EXPECT_NE(reason(WaveOf(noFmt)).find("no format"), std::string::npos);
}

TEST(SoundCollection, LoadingNamesTheFileInItsError) {
    const std::string dir = std::filesystem::temp_directory_path() / "zv-sound-load";
    std::filesystem::create_directories(dir);
    const std::string missing = dir + "/none.dxw";
    std::filesystem::remove(missing);
    try {
        LoadWaveList(missing);
        ADD_FAILURE() << "a missing file loads";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    const std::string broken = dir + "/broken.dxw";
    auto bytes = zvtools::WriteWaveCollection({Item("x", 0)});
    bytes.resize(bytes.size() - 10);
    zvtools::WriteFileAtomically(broken, bytes);
    try {
        LoadWaveList(broken);
        ADD_FAILURE() << "a truncated file loads";
    } catch (const EInOutError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(broken), std::string::npos) << what;
        EXPECT_NE(what.find("ends early"), std::string::npos) << what;
    }
    EXPECT_TRUE(DXWaveList1.Items.empty());
    std::filesystem::remove_all(dir);
}

}  // namespace
