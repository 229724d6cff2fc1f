// The texts around the program tell what it does: every option of --help has an entry in the
// man page and a row in the README's table and no other option has, and the desktop entry
// names the window's class.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "platform/platform.h"

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The lines that name the options: in the man page each line after ".TP" (an entry's head), in
// the README the first cell of each row of the options table.
std::string EntryHeads(const std::string& text, bool man) {
    std::istringstream lines(text);
    std::string heads, previous;
    bool inOptions = false;
    for (std::string line; std::getline(lines, line); previous = line) {
        if (man && line.rfind(".SH", 0) == 0) inOptions = line == ".SH OPTIONS";
        if (!man && line.rfind("#", 0) == 0) inOptions = line == "## Options";
        if (!inOptions) continue;
        if (man && previous == ".TP") heads += line + "\n";
        if (!man && line.rfind("| `-", 0) == 0) heads += line.substr(0, line.find(" | ")) + "\n";
    }
    return heads;
}

std::set<std::string> OptionNames(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");  // roff's escaped hyphens
    std::set<std::string> names;
    const std::regex option(R"(--[a-z][a-z-]*[a-z])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        names.insert(it->str());
    return names;
}

std::string HelpText() {
    const std::string cmd = std::string(ZV_BIN_DIR) + "/vorin --help";
    std::FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    if (!p) return out;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    EXPECT_EQ(::pclose(p), 0);
    return out;
}

TEST(Texts, HelpManPageAndReadmeListTheSameOptions) {
    const std::set<std::string> help = OptionNames(HelpText());
    ASSERT_GE(help.size(), 20u) << "vorin --help lists too few options";
    ASSERT_TRUE(help.count("--at-boss") && help.count("--dump-every"));
    const std::string man = Slurp(std::string(ZV_SOURCE_DIR) + "/dist/vorin.6");
    EXPECT_EQ(OptionNames(EntryHeads(man, true)), help) << "dist/vorin.6";
    const std::string readme = Slurp(std::string(ZV_SOURCE_DIR) + "/README.md");
    EXPECT_EQ(OptionNames(EntryHeads(readme, false)), help) << "README.md";
}

TEST(Texts, TheDesktopEntryNamesTheWindowClass) {
    const std::string entry =
        Slurp(std::string(ZV_SOURCE_DIR) + "/dist/org.zelvorin.Zelvorin.desktop");
    EXPECT_NE(entry.find("\nStartupWMClass=" + std::string(plat::WindowClass) + "\n"),
              std::string::npos)
        << entry;
}

}  // namespace
