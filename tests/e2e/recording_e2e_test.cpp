// Recorded plays and screenshots from the outside: a play recorded (with a save on the way)
// plays back to the same dump without touching the player's files; a recording of another
// version is refused; the screenshot key and --screenshot write PNG files that libpng reads
// back as the picture on screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/frontend_keys.h"
#include "e2e/harness.h"
#include "krdxlib/bmpfile.h"
#include "krdxlib/pngfile.h"

namespace {

using namespace e2e;
namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Joined(const RunResult& r) {
    std::string all;
    for (const auto& l : r.dump) all += l + "\n";
    return all;
}

TEST(RecordedPlay, AMenuWalkWithASavePlaysBackToTheSameDumpAndLeavesTheFilesAlone) {
    const std::string dir = FreshDataDir();
    const std::string rec = dir + "/walk.rec";
    Keys k(10);
    k.Tap("Z");
    k.Taps("Down", 6);
    const int64_t leave = k.Tap("Z");
    k.At(leave + FadeOutTicks + FadeInTicks);
    k.Taps("Down", 7);
    const int64_t save = k.Tap("Z");
    k.Tap("F8");  // frame skip: two updates a tick
    k.Tap("Down");
    k.Tap("Z");
    const int64_t frames = save + 40;
    // No seed given: the recording draws one and keeps it.
    RunResult first =
        RunVorin(dir, {"--frames", std::to_string(frames), "--record", rec}, k.Script());
    ASSERT_EQ(first.status, 0) << first.errors;
    ASSERT_EQ(StrField(AtTick(first, save), "MessageText"), "CONFIG SAVED.");
    ASSERT_TRUE(fs::exists(dir + "/zvconfig.ini"));
    fs::remove(dir + "/zvconfig.ini");

    const std::string text = Slurp(rec);
    EXPECT_NE(text.find("# seed="), std::string::npos);
    EXPECT_NE(text.find("# end=" + std::to_string(frames)), std::string::npos);

    RunResult again = RunVorin(dir, {"--playback", rec});
    ASSERT_EQ(again.status, 0) << again.errors;
    EXPECT_EQ(again.dump.size(), static_cast<size_t>(frames));
    EXPECT_EQ(Joined(again), Joined(first));
    EXPECT_FALSE(fs::exists(dir + "/zvconfig.ini")) << "a playback saved the configuration";
}

TEST(RecordedPlay, AStagePlayWithItsSettingsPlaysBackExactly) {
    const std::string dir = FreshDataDir();
    const std::string rec = dir + "/stage.rec";
    // Settings that change the ship's speed are part of the recording.
    std::ofstream(dir + "/zvconfig.ini") << "[Input]\nSpeedOff=5\n";
    const std::string script =
        "5 Z down\n40 Up down\n80 Up up\n90 Right down\n200 Right up\n"
        "220 X down\n400 X up\n410 Z up\n";
    RunResult first =
        RunVorin(dir,
                 {"--stage", "1", "--frames", "500", "--seed", "9", "--character", "2",
                  "--difficulty", "CUSTOM=P,N,X", "--hells", "X3-B,X1.5,TYPE-S", "--record", rec},
                 script);
    ASSERT_EQ(first.status, 0) << first.errors;
    EXPECT_NE(Slurp(rec).find("# setting.SpeedOff=5"), std::string::npos);
    EXPECT_NE(Slurp(rec).find("# option.stage=1"), std::string::npos);
    EXPECT_NE(Slurp(rec).find("# option.hells=X3-B,X1.5,TYPE-S"), std::string::npos);
    fs::remove(dir + "/zvconfig.ini");  // the playback takes the settings from the recording
    RunResult again = RunVorin(dir, {"--playback", rec});
    ASSERT_EQ(again.status, 0) << again.errors;
    EXPECT_EQ(Joined(again), Joined(first));
}

TEST(RecordedPlay, AnotherVersionOrABrokenFileIsRefusedClearly) {
    const std::string dir = FreshDataDir();
    const std::string rec = dir + "/old.rec";
    std::ofstream(rec) << "# Zelvorin recorded play\n# version=0.0.1\n# seed=1\n5 Z down\n";
    RunResult r = RunVorin(dir, {"--playback", rec});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("recorded by Zelvorin 0.0.1"), std::string::npos) << r.errors;
    std::ofstream(rec, std::ios::trunc) << "5 Z down\n";
    r = RunVorin(dir, {"--playback", rec});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("not a recorded play"), std::string::npos) << r.errors;
    r = RunVorin(dir, {"--playback", dir + "/missing.rec"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("missing.rec"), std::string::npos) << r.errors;
}

// The back buffer through the palette, as the BMP holds it, in RGBA.
std::vector<uint8_t> BitmapRgba(const TBitmap& bmp) {
    std::vector<uint8_t> out;
    for (uint8_t i : bmp.Indices) {
        const TRGBQuad c = bmp.Colors[i];
        out.insert(out.end(), {c.Red, c.Green, c.Blue, 255});
    }
    return out;
}

TEST(Screenshots, TheKeySavesPngAtOneAndAtTheWindowScaleAndSaysSo) {
    const std::string dir = FreshDataDir();
    const std::string pictures = dir + "/pictures";
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
    RunResult r = RunVorin(dir,
                           {"--frames", "20", "--seed", "1", "--scale", "2", "--screenshot",
                            "12:" + dir + "/same.bmp"},
                           "12 Print down\n13 Print up\n");
    unsetenv("XDG_PICTURES_DIR");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(StrField(AtTick(r, 12), "MessageText"), "SCREENSHOT SAVED.");
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(pictures)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename().string().rfind("zelvorin_20", 0), 0u) << files[0];
    EXPECT_NE(files[1].filename().string().find("_2x.png"), std::string::npos) << files[1];

    TPngImage one, two;
    std::string error;
    ASSERT_TRUE(ReadPng(files[0].string(), one, error)) << error;
    ASSERT_TRUE(ReadPng(files[1].string(), two, error)) << error;
    EXPECT_EQ(one.Width, 320);
    EXPECT_EQ(one.Height, 240);
    EXPECT_EQ(two.Width, 640);
    EXPECT_EQ(two.Height, 480);
    // The key is taken before the tick runs, so the picture is the frame before the notice:
    // compare with the frame after, minus the message line's rows.
    const std::vector<uint8_t> bmp = BitmapRgba(LoadBitmapFile(dir + "/same.bmp"));
    constexpr int MessageTop = 220;
    const size_t top = static_cast<size_t>(MessageTop) * 320 * 4;
    int differ = 0;
    for (size_t i = 0; i < top; ++i) differ += one.Rgba[i] != bmp[i];
    EXPECT_LT(differ, 4000) << "the saved picture is not the screen";
    // Each pixel of the 2x picture is the 1x pixel, twice each way.
    for (int y = 0; y < 480; y += 37)
        for (int x = 0; x < 640; x += 29)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(two.Rgba[(static_cast<size_t>(y) * 640 + x) * 4 + c],
                          one.Rgba[(static_cast<size_t>(y / 2) * 320 + x / 2) * 4 + c]);
}

TEST(Screenshots, TheOptionWritesPngWhenTheNameSaysSo) {
    const std::string dir = FreshDataDir();
    RunResult r = RunVorin(dir, {"--frames", "12", "--seed", "1", "--screenshot",
                                 "10:" + dir + "/s.png", "--screenshot", "10:" + dir + "/s.bmp"});
    ASSERT_EQ(r.status, 0) << r.errors;
    TPngImage png;
    std::string error;
    ASSERT_TRUE(ReadPng(dir + "/s.png", png, error)) << error;
    EXPECT_EQ(png.Rgba, BitmapRgba(LoadBitmapFile(dir + "/s.bmp")));
}

}  // namespace

namespace {

TEST(MusicChoice, VerboseNamesTheSoundFontGivenOnTheCommandLine) {
    const std::string dir = e2e::FreshDataDir();
    const std::string font = dir + "/my font.sf2";
    std::ofstream(font, std::ios::binary) << e2e::SoundFontOutline();
    e2e::RunResult r = e2e::RunVorin(dir, {"--frames", "2", "--verbose", "--soundfont", font});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.errors.find("SoundFont " + font), std::string::npos) << r.errors;
    r = e2e::RunVorin(dir, {"--frames", "2", "--verbose", "--nomusic"});
    EXPECT_EQ(r.errors.find("SoundFont"), std::string::npos) << r.errors;
}

}  // namespace
