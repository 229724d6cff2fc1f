#pragma once
// The platform boundary: window, present, events, gamepad, clock. Only vorin/platform/
// includes SDL; the game sees plain data through these functions. Every function also has a
// headless twin (no window, a virtual clock, no devices), chosen once by Open.
#include <cstdint>
#include <string>

namespace plat {

struct VideoOptions {
    bool headless = false;
    bool windowed = false;  // false: full screen on the desktop resolution, letterboxed
    int scale = 3;          // window size 320*scale x 240*scale
    bool vsync = true;      // page flipping on = vsync on
};

// The window's class (X11 WM_CLASS, Wayland app id): the desktop entry's name, which the
// entry's StartupWMClass repeats, so a dock matches the window to the entry and its icon.
constexpr const char* WindowClass = "org.zelvorin.Zelvorin";

// Opens the window (or nothing, headless). On failure returns false and sets error.
bool Open(const VideoOptions& options, std::string& error);
void Close();
bool Headless();
// True when a real display exists (a message box can be shown).
bool HasDisplay();

// Recreates the presentation with vsync on or off.
void SetVsync(bool on);

// Expands the 8-bit frame through the 256-entry colour table (blue, green, red, reserved)
// and shows it, scaled by a whole number and centred.
void Present(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx);

// The expansion Present does: 8-bit indices through the colour table into 0xAARRGGBB pixels
// (out has width * height entries). Vector permutes where the processor has them.
void ExpandFrame(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                 uint32_t* out);
// The same in plain C++ on any processor.
void ExpandFramePlain(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                      uint32_t* out);

enum class EventType { None, KeyDown, KeyUp, Quit, FocusGained, FocusLost };
struct Event {
    EventType type = EventType::None;
    int vk = 0;          // the game's virtual-key code
    bool shift = false;  // shift held
};
// Returns false when no event is pending.
bool PollEvent(Event& ev);
bool HasFocus();

// Joystick 1: axes 0..65535 (left stick or d-pad), one bit per button (0..7).
struct JoyReading {
    uint32_t x = 32768, y = 32768, z = 0, buttons = 0;
};
// True when a joystick exists and was read; false too once the pad found at start-up has
// been pulled out (it is not looked for again).
bool JoystickRead(JoyReading& out);
// Gamepad mappings on top of SDL's own database: the player's file (SDL's
// gamecontrollerdb.txt format; a missing file is no error), then SDL_GAMECONTROLLERCONFIG,
// which wins. Open does this with UserGamepadMappings() before it looks for a pad. Returns
// the number of mappings added; -1 with the reason in error when the file cannot be read.
int LoadGamepadMappings(const std::string& userFile, std::string& error);
// $XDG_CONFIG_HOME/zelvorin/gamecontrollerdb.txt (by default under ~/.config).
std::string UserGamepadMappings();
// The mapping SDL holds for a pad GUID (32 hex digits); empty when there is none.
std::string GamepadMappingFor(const std::string& guid);

// Monotonic milliseconds (headless: the virtual clock).
uint32_t Millis();
void SleepMs(uint32_t ms);
// Headless only: moves the virtual clock on.
void AdvanceClock(uint32_t ms);

// The window's icon from an indexed picture and its colour table (blue, green, red, reserved;
// `colours` entries): the key index and indices past the table are transparent. Enlarged by
// a whole number for docks; nothing without a window.
void SetWindowIcon(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                   int colours, int key);

void ShowCursor(bool show);
// A modal error box when a display exists; nothing otherwise.
void ShowErrorBox(const std::string& title, const std::string& message);

}  // namespace plat
