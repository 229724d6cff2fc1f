#include "shell/recording.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "shell/input.h"

namespace {

TRecording Sample() {
    TRecording r;
    r.Version = "9.9";
    r.Seed = 4294967295;
    Options o;
    o.stage = 3;
    r.PlayOptions = PlayOptionsOf(o);
    r.Settings.ButtonA = -1;
    r.Settings.SpeedCharge = 7;
    for (int32_t k = 0; k < ScoreEntries; ++k) r.Scores[k] = {1000 * k, k % 3};
    r.Joystick = true;
    r.JoyAtStart = {0, 65535, 0, 0x81};
    return r;
}

TEST(Recording, HeaderAndEventsComeBackAsWritten) {
    const TRecording r = Sample();
    std::string text = RecordingHeader(r);
    ScriptEvent shift, key, joy;
    shift = {3, vk::Shift, true};
    key = {3, vk::F2, true};
    joy.tick = 4, joy.update = 5, joy.joyX = 1, joy.joyY = 2, joy.joyButtons = 255;
    for (const auto& ev : {shift, key, joy}) text += RecordingEventLine(ev) + "\n";
    text += "# end=12\n";

    TRecording back;
    std::string error;
    ASSERT_TRUE(ParseRecording(text, "9.9", back, error)) << error << "\n" << text;
    EXPECT_EQ(back.Seed, r.Seed);
    EXPECT_EQ(back.PlayOptions, r.PlayOptions);
    EXPECT_EQ(back.Settings, r.Settings);
    for (int32_t k = 0; k < ScoreEntries; ++k) {
        EXPECT_EQ(back.Scores[k].Score, r.Scores[k].Score);
        EXPECT_EQ(back.Scores[k].Character, r.Scores[k].Character);
    }
    EXPECT_TRUE(back.Joystick);
    EXPECT_EQ(back.JoyAtStart.y, 65535u);
    EXPECT_EQ(back.JoyAtStart.buttons, 0x81u);
    EXPECT_EQ(back.End, 12);
    ASSERT_EQ(back.Events.size(), 3u);
    EXPECT_EQ(back.Events[1].key, vk::F2);
    EXPECT_EQ(back.Events[2].key, 0);
    EXPECT_EQ(back.Events[2].update, 5);
    EXPECT_EQ(back.Events[2].joyButtons, 255u);

    Options o;
    for (const auto& [k, v] : back.PlayOptions)
        ASSERT_TRUE(ApplyPlayOption(k, v, o, error)) << error;
    EXPECT_EQ(o.stage, 3);
}

TEST(Recording, EveryScriptKeyHasANameThatReadsBack) {
    for (int key = 1; key < 256; ++key) {
        const std::string name = KeyName(key);
        if (!name.empty()) {
            EXPECT_EQ(KeyFromName(name), key) << name;
        }
    }
    for (const char* name : {"Up", "Z", "3", "F1", "F12", "Shift", "Print"})
        EXPECT_FALSE(KeyName(KeyFromName(name)).empty()) << name;
}

TEST(Recording, BrokenFilesAreRefusedWithTheReason) {
    const std::string head = "# Zelvorin recorded play\n# version=1\n# seed=1\n";
    const struct {
        std::string text, reason;
    } cases[] = {
        {"5 Z down\n", "not a recorded play"},
        {"# Zelvorin recorded play\n# version=2\n# seed=1\n", "recorded by Zelvorin 2"},
        {"# Zelvorin recorded play\n# version=1\n", "no seed"},
        {head + "# seed=-4\n", "bad seed"},
        {head + "# colour=red\n", "unknown header key"},
        {head + "# setting.Turbo=1\n", "unknown setting"},
        {head + "# setting.ButtonA=99999999999\n", "bad setting.ButtonA"},
        {head + "# scores=1:0 2:0\n", "bad score table"},
        {head + "# joystick=1 2\n", "bad joystick"},
        {head + "# joystick=70000 0 0\n", "bad joystick"},
        {head + "5 joy 0 1 2 3\n", "TICK joy"},
        {head + "5 joy 1 1 2 256\n", "TICK joy"},
        {head + "5 Q down\n", "unknown key"},
    };
    for (const auto& c : cases) {
        TRecording r;
        std::string error;
        EXPECT_FALSE(ParseRecording(c.text, "1", r, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << " -> " << error;
    }
    Options o;
    std::string error;
    EXPECT_FALSE(ApplyPlayOption("stage", "x", o, error));
    EXPECT_FALSE(ApplyPlayOption("speed", "1", o, error));
}

// A write that fails in the middle of a play (here the file-size limit, as a full disk would)
// is caught at once, named with the file, and given once: by TakeError or else by Finish.
TEST(Recording, AFailedWriteIsCaughtAndReportedOnce) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zv-recorder-" + std::to_string(::getpid()) + ".rec"))
                                 .string();
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
    std::string error, taken;
    bool finished = true;
    int64_t written = 0;
    {
        TRecorder rec;
        ASSERT_TRUE(rec.Open(path, Sample(), error)) << error;
        rlimit small = old;
        small.rlim_cur = std::filesystem::file_size(path) + 100;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        for (; written < 100 && !rec.Failed(); ++written) rec.Event({written + 1, vk::Z, true});
        EXPECT_FALSE(rec.IsOpen());
        finished = rec.Finish(written, error);
        taken = error;
        ::setrlimit(RLIMIT_FSIZE, &old);
    }
    std::signal(SIGXFSZ, oldHandler);
    std::filesystem::remove(path);
    EXPECT_LT(written, 20) << "the failed write went unnoticed";
    EXPECT_FALSE(finished);
    EXPECT_EQ(taken, "the recording " + path + " cannot be written: File too large");

    // Taken during the play, the reason is not given again at the end.
    TRecorder rec;
    EXPECT_FALSE(rec.Open("/dev/full", Sample(), error));
    EXPECT_NE(error.find("/dev/full"), std::string::npos) << error;
    EXPECT_TRUE(rec.Finish(0, error));
}

}  // namespace
