#pragma once
// The world's part of the --dump output (docs/DUMP.md).
class JsonOut;

// The stage, scroll, register and statistics variables, ship 1 and every used object slot;
// the shell writes them while screen 2 is current.
void DumpWorld(JsonOut& j);
// Fields of the first dump object: the score table.
void DumpWorldOnce(JsonOut& j);
