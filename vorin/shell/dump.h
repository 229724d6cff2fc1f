#pragma once
// --dump: one JSON object per tick with the shell's state and the state of the screen.
#include <cstdint>
#include <string>

#include "base/json.h"

// Appends "Settings": the nine control settings under their key names.
void DumpSettings(JsonOut& j);

// Appends the tick's object (without newline); first adds the fields written only once.
void DumpTick(std::string& out, int64_t tick, bool first);
