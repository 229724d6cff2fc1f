#pragma once
// The readable stage sources (assets/stages/stageN.txt) and the printed form of a stage map.
#include <cstdint>
#include <string>
#include <vector>

namespace zvtools {

// Compiles a stage source into the bytes of its map file; throws std::runtime_error
// "name:line: reason".
std::vector<uint8_t> CompileStageSource(const std::string& text, const std::string& name);

// A readable listing of a stage map file (header counts, tile attributes, terrain rows,
// timeline lines) with the problems found; returns false when there are problems.
bool DescribeStageMap(const std::vector<uint8_t>& bytes, std::string& out);

// The name of a timeline code: "terrain", "scroll", "speed", "loop", or the kind number.
std::string TimelineCodeName(int32_t code);

}  // namespace zvtools
