#include "audio/effects.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "audio/audio.h"
#include "base/paths.h"
#include "platform/audio.h"

TWaveList DXWaveList1;

namespace {

int32_t BeepBuffer = -1;  // the beep's buffer on the sound device, -1 until first needed

// 60 ms of an 880 Hz square wave, 16-bit mono at 22050 Hz, at a quarter of full scale.
std::vector<uint8_t> BeepSamples() {
    constexpr int Rate = 22050, Frames = Rate * 60 / 1000, HalfPeriod = Rate / 880 / 2;
    constexpr int16_t Level = 8192;
    std::vector<uint8_t> out(Frames * 2);
    for (int i = 0; i < Frames; ++i) {
        const int16_t v = (i / HalfPeriod) % 2 == 0 ? Level : static_cast<int16_t>(-Level);
        out[2 * i] = static_cast<uint8_t>(v & 0xff);
        out[2 * i + 1] = static_cast<uint8_t>((v >> 8) & 0xff);
    }
    return out;
}

constexpr const char* EffectNames[Sfx::Count] = {
    "shot-normal2", "laser2c", "explosion", "explosion2", "select", "decide", "sign2", "decide",
};

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string FormatText(const TWaveFormat& f) {
    return "format " + std::to_string(f.FormatTag) + ", " + std::to_string(f.Channels) +
           " channels, " + std::to_string(f.SamplesPerSec) + " Hz, " +
           std::to_string(f.BitsPerSample) + " bits";
}

// The master buffer of an entry from its wave; throws when the device cannot take it.
void MakeMaster(TWaveItem& item, const std::string& path) {
    const TWaveEntry& e = item.Entry;
    if (e.Wave.empty()) return;  // an entry without a wave stays silent
    const TWaveFormat& f = e.Info.Format;
    plat::PcmFormat format{f.FormatTag, f.Channels, f.SamplesPerSec, f.BitsPerSample};
    item.Master = plat::BufferCreate(format, e.Wave.data() + e.Info.DataPos, e.Info.DataSize);
    if (item.Master < 0) {
        throw EInOutError(path + ": wave '" + e.Name + "' has a format the sound device " +
                          "cannot play (" + FormatText(f) + ")");
    }
}

}  // namespace

const char* EffectName(int32_t index) {
    return index >= 0 && index < Sfx::Count ? EffectNames[index] : nullptr;
}

void ClearWaveList() {
    plat::BufferReleaseAll();
    BeepBuffer = -1;  // released with the others
    DXWaveList1.Items.clear();
    DXWaveList1.Initialized = false;
}

void SetWaveList(std::vector<TWaveEntry> entries, const std::string& path) {
    ClearWaveList();
    DXWaveList1.Items.reserve(entries.size());
    for (TWaveEntry& e : entries) {
        DXWaveList1.Items.emplace_back();
        DXWaveList1.Items.back().Entry = std::move(e);
    }
    if (!plat::AudioIsOpen()) return;
    for (TWaveItem& item : DXWaveList1.Items) MakeMaster(item, path);
    DXWaveList1.Initialized = true;
}

void LoadWaveList(const std::string& path) {
    ClearWaveList();
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError(path + ": cannot open the sound-effect collection");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) throw EInOutError(path + ": read error");
    std::vector<TWaveEntry> entries;
    try {
        entries = ReadWaveCollection(bytes);
    } catch (const EWaveReadError& e) {
        throw EInOutError(path + ": " + e.what());
    }
    SetWaveList(std::move(entries), path);
}

TWaveItem* FindWave(const std::string& name) {
    for (TWaveItem& item : DXWaveList1.Items) {
        if (SameName(item.Entry.Name, name)) return &item;
    }
    return nullptr;
}

void PlayWaveItem(TWaveItem& item) {
    if (!DXWaveList1.Initialized || item.Master < 0) return;
    if (item.Entry.Looped) {
        plat::BufferPlay(item.Master, true);  // stops and rewinds first
        return;
    }
    // The first extra buffer that is idle; else a new copy, or the oldest restarts.
    int32_t chosen = -1;
    for (int32_t b : item.Buffers) {
        if (!plat::BufferPlaying(b)) {
            chosen = b;
            break;
        }
    }
    if (chosen < 0) {
        const size_t limit = size_t(item.Entry.MaxPlayingCount);
        if (limit == 0 || item.Buffers.size() < limit) {
            chosen = plat::BufferDuplicate(item.Master);
            if (chosen < 0) return;  // no copy: nothing plays
            item.Buffers.push_back(chosen);
        } else {
            std::rotate(item.Buffers.begin(), item.Buffers.begin() + 1, item.Buffers.end());
            chosen = item.Buffers.back();
        }
    }
    // Every play uses the wave's own rate, centre pan and full volume: nothing to set.
    plat::BufferPlay(chosen, false);
}

void PlayEffect(int32_t index) {
    const char* name = EffectName(index);
    if (name == nullptr) return;
    TWaveItem* item = FindWave(name);
    if (item == nullptr) throw EWaveNotFound("Wave '" + std::string(name) + "' not found");
    RecordTickSound(index);
    PlayWaveItem(*item);
}

bool SystemBeep() {
    if (!plat::AudioIsOpen()) return false;  // headless runs open the silent null device
    if (BeepBuffer < 0) {
        const std::vector<uint8_t> samples = BeepSamples();
        BeepBuffer =
            plat::BufferCreate(plat::PcmFormat{1, 1, 22050, 16}, samples.data(), samples.size());
        if (BeepBuffer < 0) return false;
    }
    plat::BufferPlay(BeepBuffer, false);
    return true;
}
