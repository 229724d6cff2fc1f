#pragma once
// What the front-end screens share: the background picture and the reset for tests.
// InitFrontEnd (start-up) and DumpFrontEnd (frontend_dump.cpp) are in shell/hooks.h.

// The front-end background (cloth.bmp in StageEnemySheet), the whole screen, without key.
void DrawFrontEndBackground();

// Every front-end screen's state back to its program-start value (tests).
void ResetFrontEnd();
