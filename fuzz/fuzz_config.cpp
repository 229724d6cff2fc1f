// Any text as zvconfig.ini: reading never fails, and writing settings into the text and
// reading it back gives exactly those settings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "zvcommon/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TSettings read;
    ReadConfigText(text, read);

    // New values derived from the input, including extremes.
    TSettings wanted = read;
    int32_t TSettings::*fields[] = {&TSettings::ButtonA,     &TSettings::ButtonB,
                                    &TSettings::ButtonC,     &TSettings::SpeedOff,
                                    &TSettings::SpeedManual, &TSettings::SpeedAuto,
                                    &TSettings::SpeedCharge, &TSettings::AnchorJiten,
                                    &TSettings::AnchorKouten};
    for (size_t i = 0; i < 9; ++i) {
        const uint32_t b = i < size ? data[i] : 0;
        wanted.*fields[i] = static_cast<int32_t>((b & 1) ? 0x80000000u + b : b * 0x01010101u);
    }
    const std::string updated = UpdateConfigText(text, wanted);
    TSettings back;
    ReadConfigText(updated, back);
    if (!(back == wanted)) __builtin_trap();
    // A second write over the first changes nothing.
    if (UpdateConfigText(updated, wanted) != updated) __builtin_trap();

    int32_t value = 0;
    ParseConfigValue(text, value);
    return 0;
}
