#pragma once
// Screen 1, character select: the portraits slide in, a confirm decides, and 60 updates
// later the play is set up and the screen fades out into the first stage.
#include <cstdint>

constexpr int32_t CharacterCount = 3;
constexpr int32_t PanelValueCount = 6;
constexpr int32_t SlideUpdates = 20;    // updates of the portrait's slide-in
constexpr int32_t DecidedUpdates = 60;  // updates from the confirm to the fade-out

extern int32_t SelectSlide;      // updates left of the portrait's slide-in, 0..20
extern bool SelectDecided;       // the choice is confirmed
extern int32_t SelectCountdown;  // updates since the choice was confirmed

// The character's panel values, copied into the ship whenever the character changes.
extern const int32_t PanelTable[CharacterCount][PanelValueCount];

// The portrait's x while s updates of the slide are left: -(s * s / 2) rounded half to even.
int32_t PortraitX(int32_t slide);

// The select screen's state back to its program-start values (tests).
void ResetSelectState();
