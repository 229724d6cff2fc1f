// The high-score table: defaults, the rank rule, the file and its atomic save.
#include "zvcommon/scores.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/paths.h"
#include "screens/game.h"
#include "world/play.h"
#include "world/objects.h"
#include "zvcommon/readfile.h"
#include "../world/world_fixture.h"

namespace {
std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}
int FailingRename(const char*, const char*) {
    errno = EIO;
    return -1;
}
std::vector<int32_t> Scores(const TScoreTable& t) {
    std::vector<int32_t> out;
    for (const auto& e : t) out.push_back(e.Score);
    return out;
}
}  // namespace

TEST(Scores, DefaultTable) {
    TScoreTable t;
    DefaultScores(t);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100000, 80000, 60000, 40000, 20000}));
    EXPECT_EQ(t[3].Character, 0);
    EXPECT_EQ(t[4].Character, 1);
}

TEST(Scores, RankRule) {
    TScoreTable t;
    DefaultScores(t);
    EXPECT_FALSE(InsertScoreEntry(t, 20000, 2));  // equal to the last: does not rank
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100000, 80000, 60000, 40000, 20000}));
    EXPECT_TRUE(InsertScoreEntry(t, 20001, 2));
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100000, 80000, 60000, 40000, 20001}));
    EXPECT_EQ(t[4].Character, 2);
    EXPECT_TRUE(InsertScoreEntry(t, 80000, 0));  // ranks below the equal entry
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100000, 80000, 80000, 60000, 40000}));
    EXPECT_EQ(t[1].Character, 1);
    EXPECT_EQ(t[2].Character, 0);
    EXPECT_TRUE(InsertScoreEntry(t, 100001, 2));
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100001, 100000, 80000, 80000, 60000}));
    EXPECT_EQ(ScoreRank(t, -5), 5);
}

TEST(Scores, ShortFileFillsWhatItCovers) {
    uint8_t bytes[16] = {0x10, 0x27, 0, 0, 2, 0, 0, 0, 0xE8, 0x03, 0, 0, 1, 0, 0, 0};
    TScoreTable t;
    DefaultScores(t);
    ParseScores(bytes, sizeof bytes, t);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{10000, 1000, 0, 0, 0}));
    EXPECT_EQ(t[0].Character, 2);
    EXPECT_EQ(t[1].Character, 1);
    EXPECT_EQ(t[4].Character, 0);
}

class ScoreFileTest : public WorldTest {
  protected:
    void TearDown() override {
        AtomicRename = std::rename;
        WorldTest::TearDown();
    }
};

TEST_F(ScoreFileTest, MissingFileGivesDefaultsAndWritesNothing) {
    TScoreTable t{};
    ReadScores((dir_ / "zvscore.dat").string(), t);
    EXPECT_EQ(t[0].Score, 100000);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "zvscore.dat"));
}

TEST_F(ScoreFileTest, RoundTripIsFortyLittleEndianBytes) {
    TScoreTable t;
    DefaultScores(t);
    InsertScoreEntry(t, 0x01020304, 2);
    const auto path = (dir_ / "zvscore.dat").string();
    WriteScores(path, t);
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[4], 2);
    TScoreTable back{};
    ReadScores(path, back);
    EXPECT_EQ(Scores(back), Scores(t));
    EXPECT_EQ(back[0].Character, 2);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(ScoreFileTest, FailedRenameLeavesTheOldFileWhole) {
    const auto path = (dir_ / "zvscore.dat").string();
    TScoreTable t;
    DefaultScores(t);
    WriteScores(path, t);
    const auto before = ReadAll(path);
    InsertScoreEntry(t, 999999, 1);
    AtomicRename = FailingRename;
    try {
        WriteScores(path, t);
        FAIL() << "the save did not report its failure";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("zvscore.dat"), std::string::npos);
    }
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(ScoreFileTest, UnwritableTemporaryLeavesTheOldFileWhole) {
    const auto path = (dir_ / "zvscore.dat").string();
    TScoreTable t;
    DefaultScores(t);
    WriteScores(path, t);
    const auto before = ReadAll(path);
    std::filesystem::create_directory(path + ".tmp");  // the temporary cannot be created
    EXPECT_THROW(WriteScores(path, t), EInOutError);
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(ScoreFileTest, RecordScoreSavesAndSaysSo) {
    DefaultScores(ScoreTable);
    Players[0].Score = 20000;  // does not rank: no file, no message
    RecordScore();
    EXPECT_FALSE(std::filesystem::exists(dir_ / "zvscore.dat"));
    EXPECT_EQ(MessageTicks, 0);
    Players[0].Score = 70000;
    Players[0].Character = 2;
    RecordScore();
    EXPECT_EQ(MessageText, "HIGH SCORES SAVED.");
    EXPECT_EQ(MessageTicks, 60);
    TScoreTable back{};
    ReadScores((dir_ / "zvscore.dat").string(), back);
    EXPECT_EQ(Scores(back), (std::vector<int32_t>{100000, 80000, 70000, 60000, 40000}));
    EXPECT_EQ(back[2].Character, 2);
}

TEST_F(ScoreFileTest, RecordScoreWithFailedSaveKeepsTheChangeInMemory) {
    DefaultScores(ScoreTable);
    AtomicRename = FailingRename;
    Players[0].Score = 70000;
    testing::internal::CaptureStderr();
    RecordScore();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("zvscore.dat"), std::string::npos);
    EXPECT_EQ(ScoreTable[2].Score, 70000);
    EXPECT_EQ(MessageTicks, 0);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "zvscore.dat"));
}

TEST_F(ScoreFileTest, EmptyFileReadsAsAllZero) {
    const auto path = dir_ / "zvscore.dat";
    std::ofstream(path, std::ios::binary).close();
    TScoreTable t;
    DefaultScores(t);
    ReadScores(path.string(), t);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(t[1].Character, 0);
}

TEST_F(ScoreFileTest, UnreadableFileIsAnError) {
    std::filesystem::create_directory(dir_ / "zvscore.dat");
    TScoreTable t{};
    EXPECT_THROW(ReadScores((dir_ / "zvscore.dat").string(), t), EInOutError);
}
