// The headless program's sound from the outside: the dump's audio fields, the sound options,
// and start-up errors of the effect collection.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "e2e/harness.h"

namespace {

using namespace e2e;

TEST(SoundRun, EveryTickReportsItsSoundsAndSong) {
    const std::string dir = FreshDataDir();
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--frames", "5"}, {"--frames", "5", "--nosound", "--nomusic"}}) {
        RunResult r = RunVorin(dir, options);
        ASSERT_EQ(r.status, 0) << r.errors;
        ASSERT_EQ(r.dump.size(), 5u);
        for (const std::string& line : r.dump) {
            // Entering the title at start-up stops the music; then nothing changes.
            EXPECT_EQ(RawField(line, "Sounds"), "[]") << line;
            EXPECT_EQ(IntField(line, "Song"), line == r.dump[0] ? 0 : -1) << line;
        }
    }
}

TEST(SoundRun, ABrokenCollectionStopsStartUpNamingTheFile) {
    struct Case {
        const char* what;
        std::function<void(std::vector<char>&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"truncated", [](std::vector<char>& b) { b.resize(b.size() / 2); }, "ends early"},
        {"not a wave",
         [](std::vector<char>& b) {
             const std::string riff = "RIFF";
             auto at = std::search(b.begin(), b.end(), riff.begin(), riff.end());
             ASSERT_NE(at, b.end());
             *at = 'X';
         },
         "Wave is invalid"},
        {"missing", [](std::vector<char>&) {}, "cannot open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string dir = FreshDataDir();
        const std::string path = dir + "/se.dxw";
        std::vector<char> bytes;
        {
            std::ifstream in(path, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        ASSERT_FALSE(bytes.empty());
        c.damage(bytes);
        if (std::string(c.what) == "missing") {
            std::filesystem::remove(path);
        } else {
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(bytes.data(), std::streamsize(bytes.size()));
        }
        RunResult r = RunVorin(dir, {"--frames", "3"});
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.errors.find("se.dxw"), std::string::npos) << r.errors;
        EXPECT_NE(r.errors.find(c.reason), std::string::npos) << r.errors;
    }
}

}  // namespace
