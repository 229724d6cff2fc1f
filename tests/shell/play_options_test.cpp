// The --stage companions: parsing in the menus' words and what applying them stores.
#include "screens/play_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "screens/title.h"
#include "shell/options.h"
#include "world/state.h"

namespace {

bool Parse(std::vector<const char*> args, Options& o, std::string& error) {
    args.insert(args.begin(), "vorin");
    return ParseOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(PlayOptions, StageCompanionsParseAndApply) {
    ResetWorld();
    Options o;
    std::string error;
    ASSERT_TRUE(Parse({"--stage", "2", "--character", "1", "--difficulty", "CUSTOM=P,X,N",
                       "--hells", "X3-B,X0.5,TYPE-I", "--invulnerable", "--at-boss"},
                      o, error))
        << error;
    EXPECT_EQ(o.character, 1);
    EXPECT_TRUE(o.invulnerable);
    EXPECT_TRUE(o.atBoss);
    ApplyPlayChoice(o.choice);
    EXPECT_EQ(DifficultyCursor, 6);
    EXPECT_EQ(ClassSettings[0], 2);
    EXPECT_EQ(ClassSettings[1], 0);
    EXPECT_EQ(ClassSettings[2], 1);
    EXPECT_EQ(ClassSettings[3], 1);  // class 3 keeps its value
    EXPECT_EQ(HellDensity, 3);
    EXPECT_EQ(HellSpeed, 1);
    EXPECT_EQ(ShootBackType, 3);
    ResetWorld();
}

TEST(PlayOptions, PresetsStoreTheirClassSettings) {
    struct Case {
        const char* name;
        uint8_t classes[4];
    };
    for (const Case& c : std::vector<Case>{
             {"EASY", {1, 0, 0, 1}}, {"SUPER", {2, 1, 1, 1}}, {"IMPOSSIBLE", {2, 2, 2, 1}}}) {
        ResetWorld();
        TPlayChoice choice;
        std::string error;
        ASSERT_TRUE(ParseDifficultyOption(c.name, choice, error)) << error;
        ApplyPlayChoice(choice);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(ClassSettings[k], c.classes[k]) << c.name << k;
    }
    ResetWorld();
}

TEST(PlayOptions, BadValuesAreClearErrors) {
    for (auto args : std::vector<std::vector<const char*>>{{"--difficulty", "easy"},
                                                           {"--difficulty", "CUSTOM=X,N"},
                                                           {"--difficulty", "CUSTOM=X,N,Q"},
                                                           {"--hells", "X3-B,X1.5"},
                                                           {"--hells", "X4,X1,OFF"},
                                                           {"--hells", "X1,X1,TYPE-Q"},
                                                           {"--stage", "1", "--character", "3"},
                                                           {"--character", "1"},
                                                           {"--invulnerable"},
                                                           {"--at-boss"}}) {
        Options o;
        std::string error;
        EXPECT_FALSE(Parse(args, o, error)) << args[1];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
