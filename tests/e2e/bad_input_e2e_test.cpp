// Every command-line input the program cannot honour, from the outside: the exit status and
// the one line on standard error that names the option and what it takes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace {

using namespace e2e;

struct BadInput {
    std::vector<std::string> args;  // DIR stands for a folder, TEXT for a text file
    int status;
    std::string message;  // the whole line, without "vorin: " and the line end
};

TEST(BadInput, EachExitsWithItsStatusAndOneLineNamingTheOption) {
    const std::string dir = FreshDataDir();
    const std::string text = dir + "/notes.txt", missing = dir + "/missing";
    std::ofstream(text) << "not a SoundFont, not a folder\n";
    const std::string cut = dir + "/cut.sf2";  // a download that stopped in the last list
    const std::string whole = SoundFontOutline();
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() - 2);
    const std::string playback =
        "the recording gives the input, the seed, the play options "
        "and the settings";
    const std::string soundFont = "--soundfont takes a SoundFont file (.sf2 or .sf3); ";
    const std::vector<BadInput> table = {
        {{"--stage", "3"}, 2, "--stage takes 1, 2 or 5 (the stages that can be played), not '3'"},
        {{"--stage", "7"}, 2, "--stage takes 1, 2 or 5 (the stages that can be played), not '7'"},
        {{"--stage", "8"}, 2, "--stage takes 1, 2 or 5 (the stages that can be played), not '8'"},
        {{"--scale", "99"}, 2, "--scale takes a whole number from 1 to 16, not '99'"},
        {{"--scale", "0"}, 2, "--scale takes a whole number from 1 to 16, not '0'"},
        {{"--seed", "4294967296"},
         2,
         "--seed takes a whole number from 0 to 4294967295, not '4294967296'"},
        {{"--frames", "abc"}, 2, "--frames takes a whole number from 0 up, not 'abc'"},
        {{"--stage", "1", "--character", "3"}, 2, "--character takes 0, 1 or 2, not '3'"},
        {{"--input", "DIR"},
         2,
         "--input takes a regular file (an input script); 'DIR' is a folder"},
        {{"--input", missing},
         2,
         "--input takes a regular file (an input script); '" + missing + "' does not exist"},
        {{"--soundfont", missing}, 2, soundFont + "'" + missing + "' does not exist"},
        {{"--soundfont", "TEXT"}, 2, soundFont + "'TEXT' is not a SoundFont (no RIFF sfbk header)"},
        {{"--soundfont", "DIR"}, 2, soundFont + "'DIR' is a folder"},
        {{"--soundfont", cut},
         2,
         soundFont + "'" + cut +
             "' is a broken or cut-short SoundFont (its INFO, sdta and pdta lists are not all "
             "whole)"},
        {{"--data-dir", missing}, 2, "--data-dir takes a folder; '" + missing + "' does not exist"},
        {{"--playback", "TEXT", "--seed", "5"},
         2,
         "--seed cannot be used with --playback: " + playback},
        {{"--stage", "2", "--playback", "TEXT"},
         2,
         "--stage cannot be used with --playback: " + playback},
        {{"--playback", "TEXT", "--hells", "X2,X1,OFF"},
         2,
         "--hells cannot be used with --playback: " + playback},
        {{"--playback", "TEXT", "--record", dir + "/again.rec"},
         2,
         "--record cannot be used with --playback: a played-back play is not recorded again"},
        {{"--bogus"}, 2, "unknown option '--bogus' (vorin --help lists the options)"},
        {{"--record", "/dev/full"},
         1,
         "the recording /dev/full cannot be written: No space left on device"},
    };
    for (BadInput row : table) {
        std::string shown;
        for (std::string& a : row.args) {
            if (a == "DIR") a = dir;
            if (a == "TEXT") a = text;
            shown += a + " ";
        }
        for (const std::string& from : {std::string("DIR"), std::string("TEXT")}) {
            const size_t at = row.message.find("'" + from + "'");
            if (at != std::string::npos)
                row.message.replace(at + 1, from.size(), from == "DIR" ? dir : text);
        }
        // --frames bounds a run that wrongly starts, so a regression fails instead of hanging.
        row.args.insert(row.args.begin(), {"--frames", "3"});
        const RunResult r = RunVorin(dir, row.args);
        EXPECT_EQ(r.status, row.status) << shown << "\n" << r.errors;
        EXPECT_EQ(r.errors, "vorin: " + row.message + "\n") << shown;
    }
}

}  // namespace
