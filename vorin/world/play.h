#pragma once
// Starting a play and its stages, the frame update and its steps, the end of a play.
#include <cstdint>

// Ship set-up for a new play (from character select): stage 1, or the chosen stage in
// practice; configured speeds, score 0, two spare ships, the character's weapon levels.
void SetUpPlay(uint8_t mode, int32_t chosenStage);
// Clears the world for a stage and runs its first s updates of timeline and scroll quickly
// (special codes apply, nothing spawns), then starts the ships and cues the stage's song.
void PrepareStage(int32_t startPosition);
// Fires the timeline records due at StageClock; fast-forward applies only the special codes.
void TimelineStep(bool fastForward);
// Pixels the scroll moves this frame for a speed in 1/16 pixel at a stage clock.
int32_t ScrollStepFor(int32_t speed, int32_t clock);
// Scrolls the background (with its loop and vertical wrap on terrain stages) and carries
// the objects that scroll with the map.
void ScrollStep();
// The stage's phase: random arrivals, timeline, boss approach and fight, stage cleared.
void StagePhaseStep();
// einit.dat into the enemy kind table; throws EInOutError.
void LoadEnemyTypes();
// F4: the main shot level of ship 1 becomes 7.
void SetMainShotLevel7();
