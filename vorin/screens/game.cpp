#include "screens/game.h"

#include "audio/effects.h"
#include "audio/music.h"
#include "base/paths.h"
#include "render/assets.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/play.h"
#include "world/state.h"
#include "world/step.h"
#include "zvcommon/scores.h"

void StartGameRun() {
    FpsStartTicks = GetTickCount();
    CurrentScreen = ScreenGame;
    FrameCount = 0;
    // A stage that cannot be loaded cannot be played: report it and go back to the title
    // rather than run on with a half-set stage.
    const TPlayReport* report = nullptr;
    try {
        report = &BeginStage();
    } catch (const EInOutError& e) {
        ShowErrorReport(e.what());
        EnterTitle();
        return;
    }
    StartFadeIn();
    ApplyPlayReport(*report);
    ResetScreenPalette(true);
}

void UpdateGameRun() {
    ApplyPlayReport(StepPlay({CurButtons, PrevButtons}));
}

void FinishStage() {
    if (AdvanceStage()) {
        StartGameRun();
        return;
    }
    RecordScore();
    EnterTitle();
}

void ApplyPlayReport(const TPlayReport& report) {
    for (const TPlayCue& cue : report) {
        switch (cue.Kind) {
            case PlayCue::Sound:
                PlayEffect(cue.Value);
                break;
            case PlayCue::Beep:
                SystemBeep();
                break;
            case PlayCue::Song:
                PlaySong(cue.Value);
                break;
            case PlayCue::Message:
                SetMessageLine(cue.Text);
                break;
            case PlayCue::SceneColours:
                ReloadSceneColours();
                break;
            case PlayCue::GameOver:
                // The first fade-out wins: a stage's fade to its end is never redirected.
                if (FadeStep != -1) {
                    NextScreen = ScreenTitle;
                    FadeStep = -1;
                    RecordScore(cue.Value);
                }
                break;
            case PlayCue::StageOver:
                // The first fade-out wins: a game over's fade to the title is never redirected.
                if (FadeStep != -1) {
                    NextScreen = ScreenFinishStage;
                    FadeStep = -1;
                }
                break;
        }
    }
}

void RecordScore() {
    RecordScore(Players[0].Score);
}

void RecordScore(int32_t score) {
    if (TestInvulnerable) return;  // a test play never enters the table
    if (!InsertScoreEntry(ScoreTable, score, Players[0].Character)) return;
    try {
        WriteScores(DataPath(ScoreFileName), ScoreTable);
    } catch (const EInOutError& e) {
        ShowErrorReport(e.what());
        return;
    }
    SetMessageLine("HIGH SCORES SAVED.");
}

void LoadHighScores() {
    ReadScores(DataPath(ScoreFileName), ScoreTable);
}

void LaunchStage(int32_t stage, int32_t character, bool atBoss) {
    const uint8_t mode = atBoss ? ModeOnlyBoss : ModeArcade;
    GameMode = mode;
    for (TPlayer& p : Players) p.Character = character;
    const bool test = TestInvulnerable;  // set by the options for this play only
    SetUpPlay(mode, 1);
    TestInvulnerable = test;
    StageNo = stage;
    StartGameRun();
}
