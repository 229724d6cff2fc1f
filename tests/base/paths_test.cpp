#include "base/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Each test gets its own XDG folders and restores the environment and DataDir after.
class PathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("zv-paths-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        Save("XDG_DATA_HOME");
        Save("XDG_DATA_DIRS");
        Save("HOME");
        savedDataDir_ = DataDir;
        DataDir.clear();
        setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_DATA_DIRS",
               ((root_ / "a").string() + ":relative:" + (root_ / "b/").string()).c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.second)
                setenv(name.c_str(), value.first.c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        DataDir = savedDataDir_;
        fs::remove_all(root_);
    }
    void Save(const std::string& name) {
        const char* v = std::getenv(name.c_str());
        saved_.push_back({name, {v ? v : "", v != nullptr}});
    }
    void Touch(const fs::path& p) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "x";
    }
    fs::path root_;
    std::vector<std::pair<std::string, std::pair<std::string, bool>>> saved_;
    std::string savedDataDir_;
};

TEST_F(PathsTest, FoldersComeInTheirOrderWithoutRelativeEntriesOrRepeats) {
    const auto folders = DataSearchFolders();
    ASSERT_GE(folders.size(), 4u);
    EXPECT_EQ(folders[0], ProgramDirectory());
    EXPECT_EQ(folders[1], (root_ / "home/zelvorin/").string());
    EXPECT_EQ(folders[2], (root_ / "a/zelvorin/").string());
    EXPECT_EQ(folders[3], (root_ / "b/zelvorin/").string());
    for (size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(folders[i].front(), '/') << folders[i];
        EXPECT_EQ(folders[i].back(), '/') << folders[i];
        for (size_t j = 0; j < i; ++j) EXPECT_NE(folders[i], folders[j]);
    }
    // Without XDG_DATA_HOME the home folder's .local/share is used.
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", root_.c_str(), 1);
    EXPECT_EQ(UserDataFolder(), (root_ / ".local/share/zelvorin/").string());
}

TEST_F(PathsTest, TheFirstFolderHoldingTheFileWins) {
    const std::string a = (root_ / "a/zelvorin/").string(), b = (root_ / "b/zelvorin/").string();
    Touch(b + "custom.map");
    EXPECT_EQ(FindDataFile("custom.map", DataSearchFolders()), b);
    Touch(a + "custom.map");
    EXPECT_EQ(FindDataFile("custom.map", DataSearchFolders()), a);
    EXPECT_EQ(DataPath("custom.map"), a + "custom.map");
    fs::create_directories(root_ / "home/zelvorin/folder.map");  // a folder is not a file
    EXPECT_THROW(DataPath("folder.map"), EInOutError);
}

TEST_F(PathsTest, AMissingDataFileNamesEveryFolderTried) {
    try {
        DataPath("nothing-here.bmp");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("nothing-here.bmp"), std::string::npos);
        for (const auto& f : DataSearchFolders()) EXPECT_NE(what.find(f), std::string::npos) << f;
    }
}

TEST_F(PathsTest, DataDirIsTheOneFolderForEveryFile) {
    DataDir = (root_ / "only/").string();
    EXPECT_EQ(DataPath("font.bmp"), DataDir + "font.bmp");
    EXPECT_EQ(DataPath(ConfigFileName), DataDir + ConfigFileName);
    EXPECT_EQ(SaveFolder(), DataDir);
}

TEST_F(PathsTest, ThePlayersFolderIsMadeOnlyWhenSavingIntoIt) {
    const std::string user = UserDataFolder();
    std::string error;
    EXPECT_TRUE(PrepareSave((root_ / "elsewhere/x.ini").string(), error));
    EXPECT_FALSE(fs::exists(root_ / "elsewhere"));
    EXPECT_FALSE(fs::exists(user));
    EXPECT_TRUE(PrepareSave(user + ConfigFileName, error)) << error;
    EXPECT_TRUE(fs::is_directory(user));
    // A file where the folder should be is an error, not a crash.
    fs::remove_all(root_ / "home");
    Touch(root_ / "home/zelvorin");
    EXPECT_FALSE(PrepareSave(user + ConfigFileName, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
