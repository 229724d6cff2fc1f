#pragma once
// Calls from the shell into the other subsystems. Each is defined by its subsystem.
#include <cstdint>

class JsonOut;

// World (vorin/world/).
extern int32_t StageNo;    // the stage being played (1, 2 or 5 in the arcade sequence)
void LoadHighScores();     // zvscore.dat into the score table (defaults when missing)
void LoadEnemyTypes();     // einit.dat into the enemy kind table; throws EInOutError
// --stage N: an arcade play from stage N (or "ONLY BOSS" with atBoss) with a character.
void LaunchStage(int32_t stage, int32_t character, bool atBoss);
extern bool TestInvulnerable;  // --invulnerable: the ship's invulnerability never runs out
void SetMainShotLevel7();  // F4: main shot level of ship 0 becomes 7
void DumpWorld(JsonOut& j);       // world fields while screen 2 is current
void DumpWorldOnce(JsonOut& j);   // fields of the first dump object (the score table)

// Front end (vorin/screens/).
void InitFrontEnd();              // menu availability flags and cursors at start-up
void DumpFrontEnd(JsonOut& j);    // fields of screens 0, 1 and 4

// Audio (vorin/audio/).
void LoadSoundEffects();          // se.dxw; throws EInOutError
void InitMusic();                 // opens the music library and loads the five songs
void ClearMusic();                // releases the music library
void DumpAudio(JsonOut& j);       // effects and songs started in the tick
