#pragma once
// The play as the layers above drive it. One call per frame update takes that update's
// command (the ship's buttons, like a classic source port's ticcmd) and fills a report: what
// the layers above must act on (sounds, songs, the message line, the scene colours, the end
// of the stage or of the play), in the order the update asked for it, as plain data read
// after the call. The world itself starts no sound and touches no screen.
#include <array>
#include <cstdint>

#include "base/buttons.h"

// One update's command for ship 1.
struct TPlayCommand {
    TButtonSet Buttons{};   // held in this update
    TButtonSet Previous{};  // held in the update before: a press or release is an edge
};

// What an update asks of the layers above.
enum class PlayCue : uint8_t {
    Sound,         // start sound effect Value (Sfx::)
    Beep,          // the platform's beep (button C)
    Song,          // Value 0 stops the music; 1..5 starts that song (Song::)
    Message,       // put Text on the message line
    SceneColours,  // SceneColourKind changed: reload the scene colours into the palette
    GameOver,      // ship 1 is in game over; Value is its score when the update saw it
    StageOver,     // the cleared stage ran its course: fade out and finish the stage
};

struct TPlayCue {
    PlayCue Kind = PlayCue::Sound;
    int32_t Value = 0;
    const char* Text = nullptr;  // Message: a string literal of the world's
};

// Room for four cues for every object slot, far more than one update asks for; a cue past
// it would be dropped.
constexpr int32_t MaxPlayCues = 1024;

// The cues of one call, in order.
struct TPlayReport {
    int32_t Count = 0;
    std::array<TPlayCue, MaxPlayCues> Cues{};
    const TPlayCue* begin() const { return Cues.data(); }
    const TPlayCue* end() const { return Cues.data() + Count; }
};

// One frame update of the play (StageNo, the ships, every object) with this command. The
// report stays valid until the next call of StepPlay or BeginStage.
const TPlayReport& StepPlay(const TPlayCommand& command);
// The start of stage StageNo: the stage's variables reset, its map read (throws EInOutError
// when it cannot be), the first updates run quickly up to the start position (ONLY BOSS
// starts before the boss), the ships placed. Its report holds the stage's song.
const TPlayReport& BeginStage();
// After a stage: StageNo moves on in the arcade sequence (1, 2, 5). True when the play goes
// on with that stage; false when it ends (the last stage, a practice play, a game over).
bool AdvanceStage();

// Inside the world: the command of the update being run and the cues it asked for.
extern TPlayCommand PlayCommand;
extern TPlayReport PlayReport;
void ClearPlayReport();
void CueSound(int32_t effect);
void CueBeep();
void CueSong(int32_t song);  // 0 stops the music
void CueMessage(const char* text);
void CueSceneColours();
void CueGameOver(int32_t score);
void CueStageOver();
