#include "zvcommon/config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

TSettings FromText(const std::string& text) {
    TSettings s;
    s.ButtonA = s.ButtonB = s.ButtonC = s.SpeedOff = s.SpeedManual = s.SpeedAuto =
        s.SpeedCharge = s.AnchorJiten = s.AnchorKouten = -77;  // the reader must set all nine
    ReadConfigText(text, s);
    return s;
}

int32_t ButtonAOf(const std::string& value) {
    return FromText("[Input]\nButtonA=" + value + "\n").ButtonA;
}

TSettings Custom() {
    TSettings s;
    s.ButtonA = 1;
    s.ButtonB = 128;
    s.ButtonC = 0;
    s.SpeedOff = 5;
    s.SpeedManual = -3;
    s.SpeedAuto = 7;
    s.SpeedCharge = 2147483647;
    s.AnchorJiten = -2147483647 - 1;
    s.AnchorKouten = 64;
    return s;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

TEST(ConfigRead, EmptyTextGivesTheDefaults) {
    const TSettings s = FromText("");
    EXPECT_EQ(s.ButtonA, 9);
    EXPECT_EQ(s.ButtonB, 10);
    EXPECT_EQ(s.ButtonC, 4);
    EXPECT_EQ(s.SpeedOff, 3);
    EXPECT_EQ(s.SpeedManual, 2);
    EXPECT_EQ(s.SpeedAuto, 3);
    EXPECT_EQ(s.SpeedCharge, 1);
    EXPECT_EQ(s.AnchorJiten, 32);
    EXPECT_EQ(s.AnchorKouten, 16);
    EXPECT_EQ(s, TSettings{});
}

TEST(ConfigRead, NamesMatchWhateverTheirCase) {
    for (const char* key : {"SpeedCharge", "Speedcharge", "speedcharge", "SPEEDCHARGE"})
        EXPECT_EQ(FromText(std::string("[Input]\n") + key + "=5\n").SpeedCharge, 5) << key;
    EXPECT_EQ(FromText("[iNPUT]\nbuttonb=77\n").ButtonB, 77);
    EXPECT_EQ(FromText("  [ Input ]  \n  AnchorKouten  =  8  \n").AnchorKouten, 8);
}

TEST(ConfigRead, ValueForms) {
    EXPECT_EQ(ButtonAOf("0x10"), 16);
    EXPECT_EQ(ButtonAOf("0X1f"), 31);
    EXPECT_EQ(ButtonAOf("$20"), 32);
    EXPECT_EQ(ButtonAOf("$ff"), 255);
    EXPECT_EQ(ButtonAOf("-5"), -5);
    EXPECT_EQ(ButtonAOf("+7"), 7);
    EXPECT_EQ(ButtonAOf("007"), 7);
    EXPECT_EQ(ButtonAOf("2147483647"), 2147483647);
    EXPECT_EQ(ButtonAOf("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ButtonAOf("0xFFFFFFFF"), -1);  // hexadecimal gives all 32 bits
    EXPECT_EQ(ButtonAOf("\"12\""), 12);       // quotes around a value are dropped
    EXPECT_EQ(ButtonAOf("0"), 0);
}

TEST(ConfigRead, BadValuesGiveTheDefault) {
    for (const char* v : {"abc", "", "0x", "0x1g", "$", "$-1", "-", "+", "12abc", "1 2", "1.5",
                          "2147483648", "-2147483649", "0x100000000", "99999999999999999999",
                          "x10", "- 5"})
        EXPECT_EQ(ButtonAOf(v), 9) << '"' << v << '"';
}

TEST(ConfigRead, OnlyTheFirstInputSectionAndFirstKeyCount) {
    const std::string text =
        "ButtonA=1\n"
        "[Other]\nButtonA=2\nSpeedOff=20\n"
        "[Input]\n; ButtonB=99\nButtonA=3\nbuttona=4\nnot a key line\n=6\n"
        "[Input]\nButtonA=5\nButtonC=50\n";
    const TSettings s = FromText(text);
    EXPECT_EQ(s.ButtonA, 3);
    EXPECT_EQ(s.ButtonB, 10);
    EXPECT_EQ(s.ButtonC, 4);
    EXPECT_EQ(s.SpeedOff, 3);
}

TEST(ConfigRead, WindowsLineEnds) {
    const TSettings s = FromText("[Input]\r\nButtonA=11\r\nSpeedAuto=6\r\n");
    EXPECT_EQ(s.ButtonA, 11);
    EXPECT_EQ(s.SpeedAuto, 6);
}

TEST(ConfigWrite, NewFileHasTheWritersKeyOrder) {
    EXPECT_EQ(Lines(UpdateConfigText("", TSettings{})),
              (std::vector<std::string>{"[Input]", "ButtonA=9", "ButtonB=10", "ButtonC=4",
                                        "AnchorJiten=32", "AnchorKouten=16", "SpeedOff=3",
                                        "SpeedManual=2", "SpeedAuto=3", "Speedcharge=1"}));
}

TEST(ConfigWrite, RoundTrip) {
    EXPECT_EQ(FromText(UpdateConfigText("", Custom())), Custom());
    // Writing over a file of other values replaces every one of them.
    const std::string first = UpdateConfigText("", TSettings{});
    EXPECT_EQ(FromText(UpdateConfigText(first, Custom())), Custom());
}

TEST(ConfigWrite, KeepsOtherSectionsKeysAndLinesInPlace) {
    const std::string text =
        "; my settings\n"
        "[Video]\nScale=3\n\n"
        "[input]\nSPEEDCHARGE=5\nExtra=yes\nButtonA=0x10\n\n"
        "[Later]\nButtonA=1\n";
    const std::vector<std::string> out = Lines(UpdateConfigText(text, Custom()));
    EXPECT_EQ(out, (std::vector<std::string>{
                       "; my settings", "[Video]", "Scale=3", "", "[input]",
                       "Speedcharge=2147483647", "Extra=yes", "ButtonA=1", "ButtonB=128",
                       "ButtonC=0", "AnchorJiten=-2147483648", "AnchorKouten=64", "SpeedOff=5",
                       "SpeedManual=-3", "SpeedAuto=7", "", "[Later]", "ButtonA=1"}));
}

TEST(ConfigWrite, AppendsTheSectionAndKeepsWindowsLineEnds) {
    const std::string out = UpdateConfigText("[Video]\r\nScale=3", TSettings{});
    EXPECT_EQ(out.rfind("[Video]\r\nScale=3\r\n[Input]\r\nButtonA=9\r\n", 0), 0u) << out;
    EXPECT_EQ(out.substr(out.size() - 15), "Speedcharge=1\r\n");
    EXPECT_EQ(FromText(out), TSettings{});
}

TEST(ConfigWrite, SecondWriteChangesNothing) {
    for (const char* text : {"", "Scale=3\r", "[Input]\r\r\nButtonA=1\n", "a\nb\r\n[input]",
                             "[Input]\n\n\n[Next]\n"}) {
        const std::string once = UpdateConfigText(text, Custom());
        EXPECT_EQ(UpdateConfigText(once, Custom()), once) << text;
        EXPECT_EQ(FromText(once), Custom()) << text;
    }
}

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("zv_cfg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "zvconfig.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void Put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string Get() {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir;
    std::string path;
};

TEST_F(ConfigFile, MissingFileGivesTheDefaults) {
    TSettings s = Custom();
    ReadConfig(path, s);
    EXPECT_EQ(s, TSettings{});
    s = Custom();
    ReadConfig(dir.string(), s);  // a directory reads as no file
    EXPECT_EQ(s, TSettings{});
}

TEST_F(ConfigFile, SaveThenReadBack) {
    Put("[Other]\nKey=Value\n");
    ASSERT_TRUE(WriteConfig(path, Custom()));
    TSettings s;
    ReadConfig(path, s);
    EXPECT_EQ(s, Custom());
    EXPECT_EQ(Get().rfind("[Other]\nKey=Value\n[Input]\n", 0), 0u);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(ConfigFile, FailedSaveLeavesTheOldFileWhole) {
    const std::string old = "[Input]\nButtonA=3\nButtonB=5\n";
    Put(old);
    // Block the temporary file's name so the save cannot happen.
    fs::create_directory(path + ".tmp" + std::to_string(::getpid()));
    EXPECT_FALSE(WriteConfig(path, Custom()));
    EXPECT_EQ(Get(), old);
    TSettings s;
    ReadConfig(path, s);
    EXPECT_EQ(s.ButtonA, 3);
}

TEST_F(ConfigFile, UnwritablePlacesFail) {
    EXPECT_FALSE(WriteConfig((dir / "missing" / "zvconfig.ini").string(), Custom()));
    EXPECT_FALSE(WriteConfig(dir.string(), Custom()));
    EXPECT_TRUE(fs::is_directory(dir));
}
