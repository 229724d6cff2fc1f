// einit.dat: the packed record layout, short and missing files.
#include "zvcommon/enemytypes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/paths.h"

namespace {
void Put32(std::vector<uint8_t>& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
}  // namespace

TEST(EnemyTypes, FieldsSitAtTheirOddOffsets) {
    std::vector<uint8_t> file(EnemyTypeFileSize, 0);
    const size_t r = 52 * 193;
    Put32(file, r + 0, 3000);
    file[r + 4] = StateEntering;
    file[r + 5] = ContactSolid;
    file[r + 6] = ShotsStopped;
    Put32(file, r + 8, 2);
    file[r + 12] = 1;
    Put32(file, r + 16, 50000);
    file[r + 20] = DeathLong;
    file[r + 21] = 1;
    file[r + 24] = 1;
    Put32(file, r + 25, -60);
    Put32(file, r + 29, -40);
    Put32(file, r + 33, 60);
    Put32(file, r + 37, 41);
    file[r + 41] = ActionSetRegA;
    Put32(file, r + 44, 7);
    file[r + 48] = 1;
    file[r + 49] = 1;
    auto table = std::make_unique<TEnemyType[]>(EnemyTypeCount);
    ParseEnemyTypes(file.data(), file.size(), table.get());
    const TEnemyType& t = table[193];
    EXPECT_EQ(+t.HitPoints, 3000);
    EXPECT_EQ(t.InitialState, StateEntering);
    EXPECT_EQ(t.ContactKind, ContactSolid);
    EXPECT_EQ(t.ShotResponse, ShotsStopped);
    EXPECT_EQ(+t.Layer, 2);
    EXPECT_EQ(t.BossFlag, 1);
    EXPECT_EQ(+t.Score, 50000);
    EXPECT_EQ(t.DeathKind, DeathLong);
    EXPECT_EQ(t.TightLeft, 1);
    EXPECT_EQ(t.TightRight, 0);
    EXPECT_EQ(t.TightBottom, 1);
    const TBox box = TypeBox(t);
    EXPECT_EQ(box.Left, -60);
    EXPECT_EQ(box.Top, -40);
    EXPECT_EQ(box.Right, 60);
    EXPECT_EQ(box.Bottom, 41);
    EXPECT_EQ(t.DeathAction, ActionSetRegA);
    EXPECT_EQ(+t.DeathValue, 7);
    EXPECT_EQ(t.ScrollsWithMap, 1);
    EXPECT_EQ(t.FinePosition, 1);
    EXPECT_EQ(+table[192].HitPoints, 0);
    EXPECT_EQ(+table[194].HitPoints, 0);
}

TEST(EnemyTypes, ShortFileLeavesTheRestZero) {
    std::vector<uint8_t> file(52 * 2 + 10, 0xFF);
    auto table = std::make_unique<TEnemyType[]>(EnemyTypeCount);
    for (int i = 0; i < EnemyTypeCount; ++i) table[i].HitPoints = 77;
    ParseEnemyTypes(file.data(), file.size(), table.get());
    EXPECT_EQ(+table[1].HitPoints, -1);
    EXPECT_EQ(+table[2].HitPoints, -1);  // the first 10 bytes of record 2
    EXPECT_EQ(+table[2].Layer, 0xFFFF);  // two of its four bytes
    EXPECT_EQ(+table[2].Score, 0);
    EXPECT_EQ(+table[3].HitPoints, 0);
    EXPECT_EQ(+table[255].HitPoints, 0);
}

TEST(EnemyTypes, MissingFileNamesIt) {
    auto table = std::make_unique<TEnemyType[]>(EnemyTypeCount);
    try {
        ReadEnemyTypes("/nonexistent-dir/einit.dat", table.get());
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("einit.dat"), std::string::npos);
    }
}
