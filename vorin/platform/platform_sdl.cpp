// The real platform on SDL2, with its headless twin chosen at Open.
#include "platform/platform.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/keymap.h"

namespace plat {
namespace {

constexpr int FrameW = 320;
constexpr int FrameH = 240;

struct State {
    bool open = false;
    bool headless = true;
    bool fullscreen = false;
    bool vsync = true;
    bool focus = true;
    int scale = 3;
    uint32_t virtualClock = 0;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    uint32_t argb[FrameW * FrameH] = {};
};
State g;  // the one window

bool CreateRenderer(std::string& error) {
    if (g.texture) SDL_DestroyTexture(g.texture);
    if (g.renderer) SDL_DestroyRenderer(g.renderer);
    g.texture = nullptr;
    Uint32 flags = SDL_RENDERER_ACCELERATED | (g.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
    g.renderer = SDL_CreateRenderer(g.window, -1, flags);
    if (!g.renderer)
        g.renderer = SDL_CreateRenderer(g.window, -1, g.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (!g.renderer) {
        error = std::string("renderer cannot be made: ") + SDL_GetError();
        return false;
    }
    // Whole-number nearest-neighbour scaling, letterboxed in whatever the window is.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_RenderSetLogicalSize(g.renderer, FrameW, FrameH);
    SDL_RenderSetIntegerScale(g.renderer, SDL_TRUE);
    g.texture = SDL_CreateTexture(g.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  FrameW, FrameH);
    if (!g.texture) {
        error = std::string("texture cannot be made: ") + SDL_GetError();
        return false;
    }
    return true;
}

bool FileReadable(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

void OpenJoystick() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i)) {
            g.controller = SDL_GameControllerOpen(i);
            if (g.controller) return;
        }
    }
    if (SDL_NumJoysticks() > 0) g.joystick = SDL_JoystickOpen(0);
}

void ToggleFullscreen() {
    g.fullscreen = !g.fullscreen;
    SDL_SetWindowFullscreen(g.window, g.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!g.fullscreen) {
        SDL_SetWindowSize(g.window, FrameW * g.scale, FrameH * g.scale);
        SDL_SetWindowPosition(g.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

// Maps an axis of -32768..32767 to the driver range 0..65535.
uint32_t AxisToDriver(Sint16 v) {
    return static_cast<uint32_t>(static_cast<int32_t>(v) + 32768);
}

}  // namespace

bool Open(const VideoOptions& options, std::string& error) {
    g.headless = options.headless;
    g.vsync = options.vsync;
    g.scale = std::max(1, options.scale);
    g.focus = true;
    g.virtualClock = 0;
    if (g.headless) {
        g.open = true;
        return true;
    }
    // The window class is read from these when video starts (X11, then Wayland).
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", WindowClass, 1);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", WindowClass, 1);
    SDL_SetHint(SDL_HINT_APP_NAME, "Zelvorin");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("video cannot be started: ") + SDL_GetError();
        return false;
    }
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);
    std::string mappingError;
    if (LoadGamepadMappings(UserGamepadMappings(), mappingError) < 0)
        SDL_Log("gamepad mappings: %s", mappingError.c_str());
    g.fullscreen = !options.windowed;
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | (g.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    g.window = SDL_CreateWindow("Zelvorin", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                FrameW * g.scale, FrameH * g.scale, flags);
    if (!g.window) {
        error = std::string("window cannot be made: ") + SDL_GetError();
        SDL_Quit();
        return false;
    }
    if (!CreateRenderer(error)) {
        Close();
        return false;
    }
    OpenJoystick();
    g.open = true;
    return true;
}

void Close() {
    if (!g.open) return;
    g.open = false;
    if (g.headless) return;
    if (g.controller) SDL_GameControllerClose(g.controller);
    if (g.joystick) SDL_JoystickClose(g.joystick);
    if (g.texture) SDL_DestroyTexture(g.texture);
    if (g.renderer) SDL_DestroyRenderer(g.renderer);
    if (g.window) SDL_DestroyWindow(g.window);
    g.controller = nullptr;
    g.joystick = nullptr;
    g.texture = nullptr;
    g.renderer = nullptr;
    g.window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);
}

bool Headless() {
    return g.headless;
}
bool HasDisplay() {
    return g.open && !g.headless && g.window;
}

void SetVsync(bool on) {
    g.vsync = on;
    if (!HasDisplay()) return;
    std::string error;
    if (!CreateRenderer(error)) SDL_Log("%s", error.c_str());
}

void Present(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx) {
    if (!HasDisplay() || !g.texture) return;
    ExpandFrame(pixels, std::min(width, FrameW), std::min(height, FrameH), pitch, bgrx, g.argb);
    SDL_UpdateTexture(g.texture, nullptr, g.argb, FrameW * 4);
    SDL_SetRenderDrawColor(g.renderer, 0, 0, 0, 255);
    SDL_RenderClear(g.renderer);
    SDL_RenderCopy(g.renderer, g.texture, nullptr, nullptr);
    SDL_RenderPresent(g.renderer);
}

bool PollEvent(Event& ev) {
    if (!HasDisplay()) return false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                ev = {EventType::Quit, 0, false};
                return true;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    g.focus = true;
                    ev = {EventType::FocusGained, 0, false};
                    return true;
                }
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    g.focus = false;
                    ev = {EventType::FocusLost, 0, false};
                    return true;
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const bool down = e.type == SDL_KEYDOWN;
                const SDL_Keycode sym = e.key.keysym.sym;
                if (down && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) &&
                    (e.key.keysym.mod & KMOD_ALT)) {
                    if (!e.key.repeat) ToggleFullscreen();
                    break;
                }
                const int vk = VirtualKeyFromSdl(sym);
                if (vk == 0) break;
                ev = {down ? EventType::KeyDown : EventType::KeyUp, vk,
                      (e.key.keysym.mod & KMOD_SHIFT) != 0};
                return true;
            }
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_JOYDEVICEADDED:
                // A pad plugged in later is not used: the game looks for one at start-up.
                break;
            default:
                break;
        }
    }
    return false;
}

bool HasFocus() {
    return g.headless || g.focus;
}

int LoadGamepadMappings(const std::string& userFile, std::string& error) {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        error = "the gamepad subsystem is not started";
        return -1;
    }
    int added = 0;
    if (!userFile.empty() && FileReadable(userFile)) {
        const int n = SDL_GameControllerAddMappingsFromFile(userFile.c_str());
        if (n < 0) {
            error = userFile + ": " + SDL_GetError();
            return -1;
        }
        added += n;
    }
    // SDL read the variable when it started; read again so it wins over the file.
    if (const char* env = SDL_getenv("SDL_GAMECONTROLLERCONFIG"); env && *env) {
        const std::string all = env;
        for (size_t start = 0; start < all.size();) {
            size_t end = all.find('\n', start);
            if (end == std::string::npos) end = all.size();
            const std::string line = all.substr(start, end - start);
            if (!line.empty() && line[0] != '#' && SDL_GameControllerAddMapping(line.c_str()) >= 0)
                ++added;
            start = end + 1;
        }
    }
    return added;
}

std::string UserGamepadMappings() {
    const char* config = SDL_getenv("XDG_CONFIG_HOME");
    const char* home = SDL_getenv("HOME");
    std::string dir =
        config && *config == '/' ? config : std::string(home ? home : "") + "/.config";
    return dir + "/zelvorin/gamecontrollerdb.txt";
}

std::string GamepadMappingFor(const std::string& guid) {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return "";
    char* m = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid.c_str()));
    if (!m) return "";
    std::string out = m;
    SDL_free(m);
    return out;
}

bool JoystickRead(JoyReading& out) {
    if (!HasDisplay()) return false;
    // A pad pulled out reads as nothing; the caller centres it.
    if (g.controller && !SDL_GameControllerGetAttached(g.controller)) return false;
    if (g.joystick && !SDL_JoystickGetAttached(g.joystick)) return false;
    if (g.controller) {
        SDL_GameControllerUpdate();
        Sint16 ax = SDL_GameControllerGetAxis(g.controller, SDL_CONTROLLER_AXIS_LEFTX);
        Sint16 ay = SDL_GameControllerGetAxis(g.controller, SDL_CONTROLLER_AXIS_LEFTY);
        // The d-pad wins over the stick when pressed.
        if (SDL_GameControllerGetButton(g.controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) ax = -32768;
        if (SDL_GameControllerGetButton(g.controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) ax = 32767;
        if (SDL_GameControllerGetButton(g.controller, SDL_CONTROLLER_BUTTON_DPAD_UP)) ay = -32768;
        if (SDL_GameControllerGetButton(g.controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) ay = 32767;
        out.x = AxisToDriver(ax);
        out.y = AxisToDriver(ay);
        out.z = 0;
        static const SDL_GameControllerButton order[8] = {SDL_CONTROLLER_BUTTON_A,
                                                          SDL_CONTROLLER_BUTTON_B,
                                                          SDL_CONTROLLER_BUTTON_X,
                                                          SDL_CONTROLLER_BUTTON_Y,
                                                          SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                          SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                          SDL_CONTROLLER_BUTTON_BACK,
                                                          SDL_CONTROLLER_BUTTON_START};
        out.buttons = 0;
        for (int i = 0; i < 8; ++i)
            if (SDL_GameControllerGetButton(g.controller, order[i])) out.buttons |= 1u << i;
        return true;
    }
    if (g.joystick) {
        SDL_JoystickUpdate();
        Sint16 ax = SDL_JoystickNumAxes(g.joystick) > 0 ? SDL_JoystickGetAxis(g.joystick, 0) : 0;
        Sint16 ay = SDL_JoystickNumAxes(g.joystick) > 1 ? SDL_JoystickGetAxis(g.joystick, 1) : 0;
        if (SDL_JoystickNumHats(g.joystick) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(g.joystick, 0);
            if (hat & SDL_HAT_LEFT) ax = -32768;
            if (hat & SDL_HAT_RIGHT) ax = 32767;
            if (hat & SDL_HAT_UP) ay = -32768;
            if (hat & SDL_HAT_DOWN) ay = 32767;
        }
        out.x = AxisToDriver(ax);
        out.y = AxisToDriver(ay);
        out.z = 0;
        out.buttons = 0;
        const int n = std::min(8, SDL_JoystickNumButtons(g.joystick));
        for (int i = 0; i < n; ++i)
            if (SDL_JoystickGetButton(g.joystick, i)) out.buttons |= 1u << i;
        return true;
    }
    return false;
}

uint32_t Millis() {
    if (g.headless) return g.virtualClock;
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
}

void SleepMs(uint32_t ms) {
    if (g.headless) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void AdvanceClock(uint32_t ms) {
    g.virtualClock += ms;
}

void SetWindowIcon(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                   int colours, int key) {
    if (!HasDisplay() || width <= 0 || height <= 0) return;
    constexpr int IconSide = 128;  // about what docks show; whole-number steps keep pixels crisp
    const int k = std::max(1, IconSide / std::max(width, height));
    // A square, the picture centred in it, as the desktop icons are drawn.
    const int side = std::max(width, height) * k;
    const int left = (side - width * k) / 2, top = (side - height * k) / 2;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, side, side, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    for (int y = 0; y < side; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(icon->pixels) +
                                                    static_cast<size_t>(y) * icon->pitch);
        for (int x = 0; x < side; ++x) {
            const int px = x - left, py = y - top;
            const int v = px < 0 || py < 0 || px >= width * k || py >= height * k
                              ? key
                              : pixels[static_cast<size_t>(py / k) * pitch + px / k];
            if (v == key || v >= colours) {
                row[x] = 0;
                continue;
            }
            const uint8_t* c = bgrx + v * 4;
            row[x] = 0xff000000u | (uint32_t(c[2]) << 16) | (uint32_t(c[1]) << 8) | c[0];
        }
    }
    SDL_SetWindowIcon(g.window, icon);
    SDL_FreeSurface(icon);
}

void ShowCursor(bool show) {
    if (HasDisplay()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void ShowErrorBox(const std::string& title, const std::string& message) {
    if (!HasDisplay()) {
        // No window of ours; still try a box when a display server is there.
        if (g.headless || !SDL_getenv("DISPLAY")) return;
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), g.window);
}

}  // namespace plat
