#include "shell/input.h"

#include "render/display.h"
#include "shell/hooks.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/play.h"
#include "zvcommon/config.h"

TButtonSet KeyButtons{};
TButtonSet PrevButtons{};
TButtonSet CurButtons{};
bool JoystickPresent = false;
plat::JoyReading JoySample{};
bool (*JoystickSource)(plat::JoyReading& out) = plat::JoystickRead;

namespace {

int ButtonOfKey(int key) {
    switch (key) {
        case vk::Up:
            return BtnUp;
        case vk::Down:
            return BtnDown;
        case vk::Left:
            return BtnLeft;
        case vk::Right:
            return BtnRight;
        case vk::Z:
            return BtnA;
        case vk::X:
            return BtnB;
        case vk::C:
            return BtnC;
        default:
            return -1;
    }
}

void SetInterval(uint32_t ms) {
    FrameInterval = ms;
    SetMessageLine("INTERVAL IS " + std::to_string(ms) + " MILI-SEC.");
}

void TogglePageFlip() {
    FinalizeDisplay();
    Display.PageFlip = !Display.PageFlip;
    SetMessageLine(Display.PageFlip ? "FLIP IS ON" : "FLIP IS OFF");
    InitializeDisplay();
}

}  // namespace

void FormKeyDown(int key, bool shift) {
    const int button = ButtonOfKey(key);
    if (button >= 0) {
        KeyButtons[button] = true;
        return;
    }
    switch (key) {
        case vk::Key1:
            SetInterval(1);
            break;
        case vk::Key2:
            SetInterval(16);
            break;
        case vk::Key3:
            SetInterval(33);
            break;
        case vk::F1:
            TogglePageFlip();
            break;
        case vk::F2:
            if (shift) EnterTitle();
            break;
        case vk::F3:
            Paused = !Paused;
            break;
        case vk::F4:
            SetMainShotLevel7();
            break;
        case vk::F6:
            ParticlesOn = !ParticlesOn;
            SetMessageLine(std::string("PARTICLE IS ") + (ParticlesOn ? "ON" : "OFF"));
            break;
        case vk::F8:
            SingleUpdate = !SingleUpdate;
            SetMessageLine(SingleUpdate ? "FRAME SKIP IS 0(60)" : "FRAME SKIP IS 1(30)");
            break;
        case vk::F12:
            FrameCount = 0;
            FpsStartTicks = GetTickCount();
            break;
        default:
            break;
    }
}

void FormKeyUp(int key, bool) {
    const int button = ButtonOfKey(key);
    if (button >= 0) KeyButtons[button] = false;
}

void ApplyJoystick(const plat::JoyReading& joy) {
    CurButtons[BtnUp] = CurButtons[BtnUp] || joy.y < 10000;
    CurButtons[BtnDown] = CurButtons[BtnDown] || joy.y > 55000;
    CurButtons[BtnLeft] = CurButtons[BtnLeft] || joy.x < 10000;
    CurButtons[BtnRight] = CurButtons[BtnRight] || joy.x > 55000;
    CurButtons[BtnA] =
        CurButtons[BtnA] || (joy.buttons & static_cast<uint32_t>(Settings.ButtonA)) != 0;
    CurButtons[BtnB] =
        CurButtons[BtnB] || (joy.buttons & static_cast<uint32_t>(Settings.ButtonB)) != 0;
    CurButtons[BtnC] =
        CurButtons[BtnC] || (joy.buttons & static_cast<uint32_t>(Settings.ButtonC)) != 0;
}

void SampleInput() {
    PrevButtons = CurButtons;
    CurButtons = KeyButtons;
    if (JoystickPresent) {
        // A pad pulled out reads as centred with no buttons, so no direction stays held.
        if (!JoystickSource(JoySample)) JoySample = {};
        ApplyJoystick(JoySample);
    }
}

bool Pressed(int32_t button) {
    return !PrevButtons[button] && CurButtons[button];
}

bool DecidePressed() {
    return Pressed(BtnA) || Pressed(BtnB) || Pressed(BtnC);
}

void ResetInputState() {
    KeyButtons = {};
    PrevButtons = {};
    CurButtons = {};
    JoystickPresent = false;
    JoySample = {};
}
