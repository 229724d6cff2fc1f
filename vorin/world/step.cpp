#include "world/step.h"

TPlayCommand PlayCommand;
TPlayReport PlayReport;

namespace {
void Cue(PlayCue kind, int32_t value = 0, const char* text = nullptr) {
    if (PlayReport.Count < MaxPlayCues) PlayReport.Cues[PlayReport.Count++] = {kind, value, text};
}
}  // namespace

void ClearPlayReport() {
    PlayReport.Count = 0;
}

void CueSound(int32_t effect) {
    Cue(PlayCue::Sound, effect);
}

void CueBeep() {
    Cue(PlayCue::Beep);
}

void CueSong(int32_t song) {
    Cue(PlayCue::Song, song);
}

void CueMessage(const char* text) {
    Cue(PlayCue::Message, 0, text);
}

void CueSceneColours() {
    Cue(PlayCue::SceneColours);
}

void CueGameOver(int32_t score) {
    Cue(PlayCue::GameOver, score);
}

void CueStageOver() {
    Cue(PlayCue::StageOver);
}
