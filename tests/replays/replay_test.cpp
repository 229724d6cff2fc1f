// Replay regression: every tests/replays/*.play (an input script whose "# args:" line holds
// the options) is played headless and its dump compared with the golden digest beside it.
// scripts/update-replays rewrites the digests when a rule change is intended.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/harness.h"
#include "replays/digest.h"

namespace fs = std::filesystem;

namespace {

const fs::path ReplayDir = fs::path(ZV_SOURCE_DIR) / "tests" / "replays";

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> PlayNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(ReplayDir))
        if (e.path().extension() == ".play") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ArgsOf(const std::string& script) {
    std::istringstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("# args:", 0) != 0) continue;
        std::istringstream words(line.substr(7));
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        return args;
    }
    return {};
}

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, MatchesItsGoldenDigest) {
    const std::string name = GetParam();
    const std::string script = ReadAll(ReplayDir / (name + ".play"));
    const std::vector<std::string> args = ArgsOf(script);
    ASSERT_FALSE(args.empty()) << name << ".play has no '# args:' line";

    const std::string dir = e2e::FreshDataDir();
    const e2e::RunResult run = e2e::RunVorin(dir, args, script);
    ASSERT_EQ(run.status, 0) << run.errors;
    const replay::Digest now = replay::MakeDigest(run.dump);
    const fs::path goldenPath = ReplayDir / (name + ".digest");

    if (std::getenv("ZV_UPDATE_REPLAYS")) {
        std::ofstream(goldenPath, std::ios::binary) << replay::FormatDigest(now);
        GTEST_SKIP() << "rewrote " << goldenPath;
    }
    replay::Digest golden;
    std::string error;
    ASSERT_TRUE(fs::exists(goldenPath)) << "no golden digest; run scripts/update-replays";
    ASSERT_TRUE(replay::ParseDigest(ReadAll(goldenPath), golden, error)) << error;
    const replay::Difference d = replay::Compare(golden, now);
    if (d.same) return;

    // The whole window of the first difference, for a look at what changed.
    const fs::path out = fs::temp_directory_path() / ("zv-replay-" + name + "-window.jsonl");
    std::ofstream w(out, std::ios::binary);
    const size_t first = static_cast<size_t>(d.window) * replay::WindowTicks;
    for (size_t i = first; i < run.dump.size() && i < first + replay::WindowTicks; ++i)
        w << run.dump[i] << '\n';
    std::string fields;
    for (const auto& f : d.fields) fields += " " + f;
    ADD_FAILURE() << name << ": " << d.reason << " (ticks " << first + 1 << "-"
                  << first + replay::WindowTicks << "), fields:" << fields
                  << "\nthat window's dump: " << out.string();
}

INSTANTIATE_TEST_SUITE_P(Plays, Replay, ::testing::ValuesIn(PlayNames()),
                         [](const auto& info) { return info.param; });

// The digest itself: a change in one field of one tick is named by tick and field.
TEST(ReplayDigest, NamesTheFirstTickAndTheFieldsThatDiffer) {
    std::vector<std::string> dump;
    for (int t = 1; t <= 150; ++t)
        dump.push_back("{\"tick\":" + std::to_string(t) +
                       ",\"Text\":\"a,b:{c}\",\"Ship\":{\"x\":1,\"y\":[2,3]},\"Score\":" +
                       std::to_string(t * 10) + "}");
    const replay::Digest golden = replay::MakeDigest(dump);
    replay::Digest parsed;
    std::string error;
    ASSERT_TRUE(replay::ParseDigest(replay::FormatDigest(golden), parsed, error)) << error;
    EXPECT_TRUE(replay::Compare(golden, parsed).same);

    auto changed = dump;
    changed[74] = "{\"tick\":75,\"Text\":\"a,b:{c}\",\"Ship\":{\"x\":9,\"y\":[2,3]},\"Score\":750}";
    const replay::Difference d = replay::Compare(parsed, replay::MakeDigest(changed));
    EXPECT_FALSE(d.same);
    EXPECT_EQ(d.tick, 75);
    EXPECT_EQ(d.window, 1);
    EXPECT_EQ(d.fields, std::vector<std::string>{"Ship"});

    changed = dump;
    changed.pop_back();
    const replay::Difference shorter = replay::Compare(parsed, replay::MakeDigest(changed));
    EXPECT_FALSE(shorter.same);
    EXPECT_EQ(shorter.tick, 150);
}

TEST(ReplayDigest, SplitsTopLevelFieldsOnly) {
    const auto f =
        replay::TopLevelFields("{\"a\":1,\"b\":\"x\\\",y\",\"c\":{\"d\":[1,{\"e\":2}]},\"f\":[]}");
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[1].second, "\"x\\\",y\"");
    EXPECT_EQ(f[2].first, "c");
    EXPECT_EQ(f[2].second, "{\"d\":[1,{\"e\":2}]}");
    EXPECT_EQ(f[3].second, "[]");
}

}  // namespace
