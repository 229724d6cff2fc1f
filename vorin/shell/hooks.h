#pragma once
// Calls from the shell into the front end and the audio subsystem. Each is defined by its
// subsystem; the world's are in its own headers (world/play.h, world/dump.h, world/step.h).
#include <cstdint>

class JsonOut;

// Front end (vorin/screens/).
void InitFrontEnd();            // menu availability flags and cursors at start-up
void DumpFrontEnd(JsonOut& j);  // fields of screens 0, 1 and 4

// Audio (vorin/audio/).
void LoadSoundEffects();     // se.dxw; throws EInOutError
void InitMusic();            // opens the music library and loads the five songs
void ClearMusic();           // releases the music library
void DumpAudio(JsonOut& j);  // effects and songs started in the tick
