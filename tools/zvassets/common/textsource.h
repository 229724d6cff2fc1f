#pragma once
// Line-by-line reading of the readable asset sources: comments (#), words, numbers, and
// errors that name the file and line.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zvtools {

struct SourceLine {
    int number = 0;                  // 1-based
    std::string text;                // without the comment
    std::vector<std::string> words;  // split on blanks
};

// Lines of a text without comments and without blank lines.
std::vector<SourceLine> SourceLines(const std::string& text);
// The whole file; throws std::runtime_error naming it.
std::string ReadTextFile(const std::string& path);
// "name:line: message".
[[noreturn]] void SourceError(const std::string& name, int line, const std::string& message);
// A decimal or 0x hexadecimal int32 (values up to 0xFFFFFFFF are taken as their bit
// pattern); throws naming the line when it is not one.
int32_t ParseInt(const std::string& word, const std::string& name, int line);

}  // namespace zvtools
