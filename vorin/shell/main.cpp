// vorin: the game program.
#include "shell/runner.h"

int main(int argc, char** argv) { return RunProgram(argc, argv); }
