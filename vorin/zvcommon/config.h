#pragma once
// zvconfig.ini: the player's control settings, in the initialisation-file text form.
#include <cstdint>
#include <string>
#include <string_view>

struct TSettings {
    int32_t ButtonA = 9;  // joystick button bits that press A ("SHOT A")
    int32_t ButtonB = 10;
    int32_t ButtonC = 4;
    int32_t SpeedOff = 3;       // move speed while not firing
    int32_t SpeedManual = 2;    // while firing by hand
    int32_t SpeedAuto = 3;      // while auto-firing
    int32_t SpeedCharge = 1;    // while charging the anchor
    int32_t AnchorJiten = 32;   // anchor heading turn speed
    int32_t AnchorKouten = 16;  // anchor orbit turn speed
    bool operator==(const TSettings&) const = default;
};

extern TSettings Settings;  // the settings in use

// A setting's key name in the file and its field.
struct TConfigKey {
    const char* Name;
    int32_t TSettings::*Field;
};
constexpr int32_t SettingCount = 9;
extern const TConfigKey SettingKeys[SettingCount];  // in the order the reader asks for them

// Reads the file into settings; missing file, keys or bad values give the defaults.
void ReadConfig(const std::string& path, TSettings& settings);
// Writes the nine keys (replacing the file atomically, other sections and keys kept);
// false when the file could not be written.
bool WriteConfig(const std::string& path, const TSettings& settings);

// The same over the file's text: values from the first section named "Input".
void ReadConfigText(std::string_view text, TSettings& settings);
// The file's new text: the nine keys set in the first "Input" section (the section appended
// when missing), every other line kept.
std::string UpdateConfigText(std::string_view text, const TSettings& settings);
// One value as the file holds it: "0x"/"0X" or "$" hexadecimal, else signed decimal; false
// when it is empty or not a 32-bit integer.
bool ParseConfigValue(std::string_view text, int32_t& value);
