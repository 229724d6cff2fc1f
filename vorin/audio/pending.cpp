// Stand-ins until the audio subsystem lands: silence.
#include "shell/hooks.h"

void LoadSoundEffects() {}
void InitMusic() {}
void ClearMusic() {}
void DumpAudio(JsonOut&) {}
