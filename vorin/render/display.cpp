#include "render/display.h"

#include "platform/platform.h"

TDisplay Display;
TSurface PlayerSheet, BackSheet, BulletSheet, FontSheet, EnemySheet, StageEnemySheet;

const char* const ErrDisplayMode = "Display mode cannot be changed (%dx%d %dbit)";
const char* const ErrFormNotFound = "Form not found";
const char* const ErrCannotBeMade = "%s cannot be made";

namespace {
// Marks the display as restoring for the duration of a scope, also when a load throws.
struct RestoringScope {
    RestoringScope() { Display.Restoring = true; }
    ~RestoringScope() { Display.Restoring = false; }
};
}  // namespace

void InitializeDisplay() {
    if (Display.Initialized) return;
    SetSize(Display.BackBuffer, ScreenWidth, ScreenHeight);
    plat::SetVsync(Display.PageFlip);
    Display.Hardware = Display.CurrentColors;
    Display.Initialized = true;
    DXDraw1Initialize();
    try {
        RestoreDisplay();
    } catch (...) {
        FinalizeDisplay();
        throw;
    }
}

void FinalizeDisplay() {
    if (!Display.Initialized) return;
    DXDraw1Finalize();
    SetSize(Display.BackBuffer, 0, 0);
    Display.Initialized = false;
    Display.Restoring = false;
}

void RestoreDisplay() {
    if (!Display.Initialized || Display.Restoring) return;
    RestoringScope scope;
    Fill(Display.BackBuffer, 0);
    Display.Hardware = Display.DefaultColors;
    DXDraw1RestoreSurface();
    Display.Hardware = Display.CurrentColors;
}

void Present() {
    if (!Display.Initialized || Display.Restoring) return;
    // With page flipping the flip happens only while the window is active.
    if (Display.PageFlip && !plat::HasFocus()) return;
    const TSurface& b = Display.BackBuffer;
    plat::Present(b.Pixels.data(), b.W, b.H, b.W,
                  reinterpret_cast<const uint8_t*>(Display.Hardware.data()));
    ++Display.PresentCount;
}

void UploadPalette() {
    if (!Display.Initialized) return;
    // The vertical-blank wait is the presentation's vsync; the table takes effect at the
    // next present.
    Display.Hardware = Display.CurrentColors;
}

// Our frames are always expanded through the colour table at present, so the palette can
// be animated whenever the display is up and not being rebuilt.
bool CanAnimatePalette() { return Display.Initialized && !Display.Restoring; }

void DXDraw1Initialize() {
    for (TSurface* s :
         {&PlayerSheet, &BackSheet, &BulletSheet, &FontSheet, &EnemySheet, &StageEnemySheet})
        SetSize(*s, 0, 0);
}

void DXDraw1Finalize() { DXDraw1Initialize(); }
