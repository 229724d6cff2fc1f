#pragma once
// Screen 2, the game run: the shell's side of a play. StartGameRun, UpdateGameRun and
// FinishStage (shell/screens.h) start a stage, run one world update with the sampled buttons
// and move on after a stage; the world's report of each call is acted on here.
#include <cstdint>

struct TPlayReport;

// Acts on a report's cues in their order: sounds, songs, the message line, the scene colours,
// and the fade-outs of a game over (which records the score) and of a finished stage.
void ApplyPlayReport(const TPlayReport& report);
// A score and the character of ship 1 into the high-score table, saved at once; the first
// form takes ship 1's score.
void RecordScore();
void RecordScore(int32_t score);
// zvscore.dat into the score table (defaults when missing).
void LoadHighScores();
// Start-up entry for tests and stage authors: an arcade play (or with atBoss an "ONLY BOSS"
// play) from the given stage with the character, started at once without the front end.
void LaunchStage(int32_t stage, int32_t character, bool atBoss);
