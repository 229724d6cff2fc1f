// Stand-in until the game scene lands.
#include "render/display.h"
#include "shell/screens.h"

void DrawGameRun() { Fill(Display.BackBuffer, 0); }
