// Every data file the game reads, cut short at every length and with random bytes changed:
// each reader either takes what it can or refuses with a reason, never crashes or reads out
// of bounds (the sanitizer build runs these too). The small files at every length, the
// pictures, songs and sound collection through their headers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Ronvalet.h"
#include "audio/collection.h"
#include "audio/effects.h"
#include "base/paths.h"
#include "krdxlib/bmpfile.h"
#include "reliability/damage.h"
#include "zvcommon/config.h"
#include "zvcommon/enemytypes.h"
#include "zvcommon/scores.h"
#include "zvcommon/stagemap.h"

namespace {

using namespace reliab;

constexpr uint32_t Seed = 18;         // the random damages are the same on every run
constexpr size_t PictureHeader = 54;  // file header and info header
constexpr size_t PixelOffsetAt = 10;  // where a picture's file header gives its pixel offset
constexpr size_t SongHeadBytes = 64;
constexpr size_t SmfHeaderBytes = 14;  // "MThd", its length, format, tracks, division   // the file
                                       // header and the first track's header
constexpr size_t CollectionHead = 2048;  // stream header, first entries, first wave header

std::vector<TDamage> Join(std::vector<TDamage> a, const std::vector<TDamage>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(DamagedSmallFiles, EnemyTableHoldsExactlyTheBytesTheFileHas) {
    const Bytes file = GeneratedFile(EnemyTypeFileName);
    ASSERT_EQ(file.size(), EnemyTypeFileSize);
    static TEnemyType table[EnemyTypeCount];
    static const uint8_t zeros[EnemyTypeFileSize] = {};
    for (const TDamage& d : Join(Cuts(file.size(), file.size(), 1),
                                 RandomBytes(file.size(), file.size(), 200, Seed))) {
        const Bytes bytes = Apply(file, d);
        std::memset(table, 0xAB, sizeof table);
        ParseEnemyTypes(bytes.data(), bytes.size(), table);
        const auto* got = reinterpret_cast<const uint8_t*>(table);
        ASSERT_EQ(std::memcmp(got, bytes.data(), bytes.size()), 0) << Describe(d);
        ASSERT_EQ(std::memcmp(got + bytes.size(), zeros, EnemyTypeFileSize - bytes.size()), 0)
            << Describe(d) << ": what the file does not cover is not zero";
    }
}

TEST(DamagedSmallFiles, StageMapsLoadOrAreRefusedNamingTheFileAndLeftAsTheyWere) {
    static TStageMap map, before;
    for (const char* name : {"Stage1.map", "Stage2.map", "Stage5.map"}) {
        const Bytes file = GeneratedFile(name);
        LoadStageMap(file.data(), file.size(), name, map);  // the stage before
        std::vector<TDamage> damages = Join(Cuts(file.size(), file.size(), 1),
                                            RandomBytes(file.size(), file.size(), 300, Seed));
        // Counts far beyond the block's capacity.
        for (size_t at = MapColumnCountOffset; at < MapEventCountOffset + 2u; ++at)
            damages.push_back({SIZE_MAX, {{at, 0xFF}}});
        int refused = 0;
        for (const TDamage& d : damages) {
            const Bytes bytes = Apply(file, d);
            std::memcpy(&before, &map, sizeof map);
            try {
                LoadStageMap(bytes.data(), bytes.size(), name, map);
            } catch (const EInOutError& e) {
                ++refused;
                EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
                ASSERT_EQ(std::memcmp(&before, &map, sizeof map), 0)
                    << name << ", " << Describe(d) << ": a refused file changed the stage";
            }
        }
        EXPECT_GE(refused, 2) << name << ": oversized counts were taken";
    }
}

TEST(DamagedSmallFiles, ConfigKeepsTheSettingsOfTheLinesItStillHolds) {
    TSettings written;
    written.ButtonA = 3;
    written.ButtonB = 0x40;
    written.ButtonC = 128;
    written.SpeedOff = 5;
    written.SpeedManual = 4;
    written.SpeedAuto = 6;
    written.SpeedCharge = 7;
    written.AnchorJiten = 48;
    written.AnchorKouten = 24;
    const std::string text = UpdateConfigText("[Video]\r\nMode=2\r\n\r\n", written);
    const Bytes file(text.begin(), text.end());
    const TSettings defaults;
    for (const TDamage& d : Cuts(file.size(), file.size(), 1)) {
        const Bytes bytes = Apply(file, d);
        const std::string_view cut(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        TSettings read;
        ReadConfigText(cut, read);
        // A key whose whole line survived keeps its value; one cut off entirely is default.
        for (const char* key : {"ButtonA=", "ButtonC=", "AnchorKouten=", "Speedcharge="}) {
            const size_t at = text.find(key);
            ASSERT_NE(at, std::string::npos);
            const size_t lineEnd = text.find('\n', at);
            const std::string k(key);
            const int32_t TSettings::*field = k == "ButtonA="        ? &TSettings::ButtonA
                                              : k == "ButtonC="      ? &TSettings::ButtonC
                                              : k == "AnchorKouten=" ? &TSettings::AnchorKouten
                                                                     : &TSettings::SpeedCharge;
            if (bytes.size() > lineEnd) {
                ASSERT_EQ(read.*field, written.*field) << key << " " << Describe(d);
            } else if (bytes.size() <= at) {
                ASSERT_EQ(read.*field, defaults.*field) << key << " " << Describe(d);
            }
        }
    }
    for (const TDamage& d : RandomBytes(file.size(), file.size(), 500, Seed)) {
        const Bytes bytes = Apply(file, d);
        TSettings read;
        ReadConfigText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                       read);
    }
}

TEST(DamagedSmallFiles, ScoreTableHoldsExactlyTheBytesTheFileHas) {
    TScoreTable table;
    DefaultScores(table);
    Bytes file(ScoreFileSize + 7, 0x5A);  // a file with bytes beyond the table
    std::memcpy(file.data(), table, ScoreFileSize);
    for (const TDamage& d : Join(Cuts(file.size(), file.size(), 1),
                                 RandomBytes(file.size(), file.size(), 200, Seed))) {
        const Bytes bytes = Apply(file, d);
        TScoreTable read;
        ParseScores(bytes.data(), bytes.size(), read);
        Bytes expected(ScoreFileSize, 0);
        std::memcpy(expected.data(), bytes.data(), std::min(bytes.size(), ScoreFileSize));
        ASSERT_EQ(std::memcmp(read, expected.data(), ScoreFileSize), 0) << Describe(d);
    }
}

TEST(DamagedHeaders, PicturesAreReadWholeOrRefusedWithAReason) {
    for (const char* name : {"player.bmp", "bullet.bmp", "font.bmp", "zvlogo.bmp", "select.bmp",
                             "cloth.bmp", "enemy.bmp", "back1.bmp", "enemy1.bmp", "back2.bmp",
                             "enemy2.bmp", "back5.bmp", "enemy5.bmp"}) {
        const Bytes file = GeneratedFile(name);
        ASSERT_GT(file.size(), PictureHeader);
        uint32_t pixels = 0;
        std::memcpy(&pixels, file.data() + PixelOffsetAt, 4);
        ASSERT_LT(pixels, file.size()) << name;
        int accepted = 0, refused = 0;
        for (const TDamage& d : Join(Cuts(file.size(), pixels + 1, file.size() / 16),
                                     RandomBytes(file.size(), pixels, 40, Seed))) {
            const Bytes bytes = Apply(file, d);
            TBitmap bmp;
            std::string error;
            if (!ParseBitmap(bytes.data(), bytes.size(), bmp, error)) {
                ++refused;
                ASSERT_FALSE(error.empty()) << name << ", " << Describe(d);
                continue;
            }
            ++accepted;
            ASSERT_GT(bmp.Width, 0) << name << ", " << Describe(d);
            ASSERT_GT(bmp.Height, 0) << name << ", " << Describe(d);
            ASSERT_EQ(bmp.Indices.size(), static_cast<size_t>(bmp.Width) * bmp.Height)
                << name << ", " << Describe(d);
            ASSERT_TRUE(!bmp.Colors.empty() && bmp.Colors.size() <= 256)
                << name << ", " << Describe(d);
        }
        EXPECT_GT(refused, static_cast<int>(pixels)) << name << ": cut pictures were read";
        EXPECT_GT(accepted, 0) << name;
    }
}

TEST(DamagedHeaders, SoundCollectionIsReadOrRefusedWithAReason) {
    const Bytes file = GeneratedFile("se.dxw");
    int refused = 0;
    for (const TDamage& d : Join(Cuts(file.size(), CollectionHead, file.size() / 64),
                                 RandomBytes(file.size(), CollectionHead, 300, Seed))) {
        const Bytes bytes = Apply(file, d);
        try {
            for (const TWaveEntry& e : ReadWaveCollection(bytes)) {
                if (e.Wave.empty()) continue;
                ASSERT_LE(uint64_t{e.Info.DataPos} + e.Info.DataSize, e.Wave.size())
                    << Describe(d) << ": wave '" << e.Name << "' points past its end";
            }
        } catch (const EWaveReadError& e) {
            ++refused;
            ASSERT_NE(std::string(e.what()), "") << Describe(d);
        }
    }
    EXPECT_GT(refused, static_cast<int>(CollectionHead)) << "cut collections were read";

    // Through the game's loader, a refusal names the file.
    const std::string path = ScratchFolder("damaged-se") + "/se.dxw";
    WriteBytes(path, Apply(file, {CollectionHead, {}}));
    try {
        LoadWaveList(path);
        ADD_FAILURE() << "a cut collection loads";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    ClearWaveList();
}

// A song that cannot be read leaves its slot empty: the game plays on without that music.
TEST(DamagedHeaders, SongsLoadOrLeaveTheirSlotEmpty) {
    const std::string dir = ScratchFolder("damaged-songs");
    InitMidi();  // without a MIDI device songs still load
    for (const char* name :
         {"select2.mid", "sekkou.mid", "bQelnRX_zvorin01.mid", "starship.mid", "dawn.mid"}) {
        const Bytes file = GeneratedFile(name);
        const std::string path = dir + "/" + name;
        for (const TDamage& d : Join(Cuts(file.size(), SongHeadBytes, file.size() / 8),
                                     RandomBytes(file.size(), SongHeadBytes, 40, Seed))) {
            WriteBytes(path, Apply(file, d));
            const int32_t loaded = LoadMidi(1, path.c_str());
            if (d.Cut < SmfHeaderBytes) {
                EXPECT_EQ(loaded, 0) << name << ", " << Describe(d);
            }
        }
        WriteBytes(path, file);
        EXPECT_EQ(LoadMidi(1, path.c_str()), 1) << name;
    }
    ClearMidi();
}

}  // namespace
