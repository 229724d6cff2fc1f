#include "shell/options.h"

#include <gtest/gtest.h>

namespace {

TEST(Options, ParsesTheHarnessOptions) {
    const char* argv[] = {"vorin",        "--headless", "--frames",     "20",
                          "--seed",       "7",          "--dump",       "d.jsonl",
                          "--screenshot", "10:s.bmp",   "--screenshot", "12:t.bmp",
                          "--data-dir",   "/tmp/x",     "--nomusic"};
    Options o;
    std::string error;
    ASSERT_TRUE(ParseOptions(15, argv, o, error)) << error;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.frames, 20);
    EXPECT_EQ(o.seed, 7);
    EXPECT_EQ(o.dumpFile, "d.jsonl");
    ASSERT_EQ(o.screenshots.size(), 2u);
    EXPECT_EQ(o.screenshots[1].tick, 12);
    EXPECT_EQ(o.screenshots[1].file, "t.bmp");
    EXPECT_EQ(o.dataDir, "/tmp/x");
    EXPECT_TRUE(o.noMusic);
    EXPECT_FALSE(o.noSound);
}

TEST(Options, RejectsBadValues) {
    std::string error;
    for (auto args : std::vector<std::vector<const char*>>{{"vorin", "--frames"},
                                                           {"vorin", "--frames", "x"},
                                                           {"vorin", "--frames", "-3"},
                                                           {"vorin", "--screenshot", "10"},
                                                           {"vorin", "--screenshot", "0:a.bmp"},
                                                           {"vorin", "--scale", "0"},
                                                           {"vorin", "--bogus"}}) {
        Options o;
        EXPECT_FALSE(ParseOptions(static_cast<int>(args.size()), args.data(), o, error))
            << args.back();
        EXPECT_FALSE(error.empty());
    }
}

TEST(InputScript, ParsesKeysInTickOrder) {
    std::vector<ScriptEvent> ev;
    std::string error;
    ASSERT_TRUE(
        ParseInputScript("# a walk\n5 F8 down\n\n3 Shift down\n3 F2 down  # back\n"
                         "6 Z up\n7 Up down\n",
                         ev, error))
        << error;
    ASSERT_EQ(ev.size(), 5u);
    EXPECT_EQ(ev[0].tick, 3);
    EXPECT_EQ(ev[0].key, 16);
    EXPECT_EQ(ev[1].key, 113);
    EXPECT_EQ(ev[2].key, 119);
    EXPECT_EQ(ev[3].key, 'Z');
    EXPECT_FALSE(ev[3].down);
    EXPECT_EQ(ev[4].key, 38);
}

TEST(InputScript, NamesTheBadLine) {
    std::vector<ScriptEvent> ev;
    std::string error;
    EXPECT_FALSE(ParseInputScript("1 Z down\n2 Q down\n", ev, error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_FALSE(ParseInputScript("1 Z sideways\n", ev, error));
    EXPECT_FALSE(ParseInputScript("0 Z down\n", ev, error));
    EXPECT_FALSE(ParseInputScript("1 F13 down\n", ev, error));
    EXPECT_FALSE(ParseInputScript("1 Z down extra\n", ev, error));
}

// Script writer and reader agree on every key: each code with a name reads back as itself.
TEST(Options, EveryKeyNameReadsBackAsItsKey) {
    int named = 0;
    for (int key = 0; key < 256; ++key) {
        const std::string name = KeyName(key);
        if (name.empty()) continue;
        ++named;
        EXPECT_EQ(KeyFromName(name), key) << name;
    }
    EXPECT_EQ(named, 24);  // arrows, Shift, Print, Z X C, 1 2 3, F1..F12
    EXPECT_EQ(KeyFromName("F01"), 0);
    EXPECT_EQ(KeyFromName("F13"), 0);
}

}  // namespace
