#pragma once
// The sound effects: the effect list DXWaveList1 loaded from se.dxw, the effect indices the
// game plays by, and the play rule (overlapping copies up to an entry's maximum).
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio/collection.h"
#include "base/sounds.h"

// The collection entry an effect index plays; nullptr for any other index.
const char* EffectName(int32_t index);

// "Wave '%s' not found": an effect whose entry is missing from the collection.
class EWaveNotFound : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One entry of the effect list with its buffers on the sound device.
struct TWaveItem {
    TWaveEntry Entry;              // name, looped, maximum playing count, wave
    int32_t Master = -1;           // master buffer, -1 without one
    std::vector<int32_t> Buffers;  // extra playing buffers, the oldest restart first
};

struct TWaveList {
    bool Initialized = false;  // the sound device was open when the list was loaded
    std::vector<TWaveItem> Items;
};
extern TWaveList DXWaveList1;  // the main window's effect list

// Empties the list, reads se.dxw at path into it and, when the sound device is open, makes
// each entry's master buffer. Throws EInOutError naming the file and the reason.
void LoadWaveList(const std::string& path);
// The same from entries already read (path only names them in errors).
void SetWaveList(std::vector<TWaveEntry> entries, const std::string& path);
// Releases every buffer and empties the list.
void ClearWaveList();

// The entry of that name, compared without regard to case; nullptr when there is none.
TWaveItem* FindWave(const std::string& name);
// Plays one entry once (or looping), by the play rule; nothing without a sound device.
void PlayWaveItem(TWaveItem& item);
// Plays the effect of an index; other indices play nothing. Throws EWaveNotFound.
void PlayEffect(int32_t index);

// The platform's default beep (button C): a short tone through the sound device; nothing
// without an open device (headless runs have the silent null device). Returns whether a
// tone started.
bool SystemBeep();
