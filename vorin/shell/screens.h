#pragma once
// Each screen's entry, update (once per update) and draw (once per tick), as the shell's
// state machine calls them. Screen 5 only has its entry, FinishStage.

void EnterTitle();  // screen 0
void UpdateTitle();
void DrawTitle();

void EnterCharacterSelect();  // screen 1
void UpdateCharacterSelect();
void DrawCharacterSelect();

void StartGameRun();  // screen 2
void UpdateGameRun();
void DrawGameRun();

void EnterConfig();  // screen 4
void UpdateConfig();
void DrawConfig();

void FinishStage();  // "screen" 5

void EnterRanking();  // screen 7
void UpdateRanking();
void DrawRanking();
