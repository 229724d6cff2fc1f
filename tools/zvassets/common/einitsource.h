#pragma once
// The readable enemy kind table (assets/enemies/einit.txt) and its printed form.
#include <string>
#include <vector>

#include "zvcommon/enemytypes.h"

namespace zvtools {

// Parses the source into 256 records (kinds not listed are zero); throws std::runtime_error
// "name:line: reason".
std::vector<TEnemyType> ParseEnemySource(const std::string& text, const std::string& name);
// One kind in the source's own form (the fields that are set), for zvtool.
std::string DescribeEnemyType(int kind, const TEnemyType& t);
// True when every byte of the record is 0.
bool EnemyTypeEmpty(const TEnemyType& t);

}  // namespace zvtools
