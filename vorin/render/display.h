#pragma once
// The display: the 320x240 back buffer, the two colour tables, the hardware palette and the
// six sheets the game draws from. Present hands the frame to the platform layer.
#include <cstdint>

#include "base/graphics.h"

constexpr int32_t ScreenWidth = 320;
constexpr int32_t ScreenHeight = 240;

struct TDisplay {
    bool Initialized = false;
    bool Restoring = false;
    bool PageFlip = true;      // page flipping on = vsync on (F1 toggles)
    bool WaitVBlank = true;    // the wait-for-vertical-blank option
    TSurface BackBuffer;       // everything draws here
    TPalette CurrentColors{};  // what the hardware palette is to show
    TPalette DefaultColors{};  // shown while surfaces are rebuilt
    TPalette Hardware{};       // what the hardware palette shows now
    int32_t PresentCount = 0;  // frames handed to the platform
};

extern TDisplay Display;  // the one display

// The six sheets; empty surfaces until the restore handler fills them.
extern TSurface PlayerSheet, BackSheet, BulletSheet, FontSheet, EnemySheet, StageEnemySheet;

// Error texts of the display layer.
extern const char* const ErrDisplayMode;  // "Display mode cannot be changed (%dx%d %dbit)"
extern const char* const ErrFormNotFound;
extern const char* const ErrCannotBeMade;  // "%s cannot be made"

void InitializeDisplay();
void FinalizeDisplay();
void RestoreDisplay();
void Present();
void UploadPalette();
bool CanAnimatePalette();

// Handlers the game provides.
void DXDraw1Initialize();
void DXDraw1Finalize();
void DXDraw1RestoreSurface();  // render/assets.cpp
