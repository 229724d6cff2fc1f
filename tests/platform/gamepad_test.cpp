// Gamepad mappings: the player's file and SDL_GAMECONTROLLERCONFIG reach SDL's database (the
// variable winning), with a real (dummy-driver) window open as in play.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "shell/input.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* PadA = "03000000aaaa0000bbbb000000000000";
constexpr const char* PadB = "03000000cccc0000dddd000000000000";

std::string Mapping(const char* guid, const char* name) {
    return std::string(guid) + "," + name +
           ",a:b2,b:b3,x:b0,y:b1,leftx:a0,lefty:a1,platform:Linux,";
}

TEST(Gamepads, ThePlayersFileAndTheVariableReachTheDatabase) {
    const fs::path home = fs::temp_directory_path() / ("zv-pads-" + std::to_string(::getpid()));
    fs::create_directories(home / "zelvorin");
    std::ofstream(home / "zelvorin/gamecontrollerdb.txt") << "# the player's pads\n"
                                                          << Mapping(PadA, "File Pad A") << "\n"
                                                          << Mapping(PadB, "File Pad B") << "\n";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    setenv("SDL_GAMECONTROLLERCONFIG", Mapping(PadB, "Variable Pad B").c_str(), 1);

    plat::VideoOptions video;
    video.windowed = true;
    video.scale = 1;
    std::string error;
    const bool opened = plat::Open(video, error);
    if (opened) {
        EXPECT_EQ(plat::UserGamepadMappings(), (home / "zelvorin/gamecontrollerdb.txt").string());
        EXPECT_NE(plat::GamepadMappingFor(PadA).find("File Pad A"), std::string::npos);
        EXPECT_NE(plat::GamepadMappingFor(PadB).find("Variable Pad B"), std::string::npos);
        EXPECT_EQ(plat::GamepadMappingFor("03000000eeee0000ffff000000000000"), "");
        // A broken file is reported, not crashed on.
        std::ofstream(home / "broken.txt") << "not a mapping at all\n";
        EXPECT_GE(plat::LoadGamepadMappings((home / "broken.txt").string(), error), 0);
        plat::JoyReading r;
        EXPECT_FALSE(plat::JoystickRead(r)) << "no pad in the test machine";
        plat::Close();
    }
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    if (oldConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(home);
    ASSERT_TRUE(opened) << error;
}

// A pad that stops answering reads as centred with no buttons: nothing stays held.
TEST(Gamepads, APadPulledOutReleasesEverything) {
    ResetInputState();
    static bool attached = true;
    JoystickSource = [](plat::JoyReading& out) {
        if (!attached) return false;
        out = {0, 65535, 0, 0xff};  // left, down, every button
        return true;
    };
    JoystickPresent = true;
    SampleInput();
    EXPECT_TRUE(CurButtons[BtnLeft]);
    EXPECT_TRUE(CurButtons[BtnDown]);
    EXPECT_TRUE(CurButtons[BtnA]);
    attached = false;
    SampleInput();
    for (int32_t b = 0; b < 7; ++b) EXPECT_FALSE(CurButtons[b]) << b;
    EXPECT_EQ(JoySample.x, 32768u);
    JoystickSource = plat::JoystickRead;
    ResetInputState();
}

}  // namespace
