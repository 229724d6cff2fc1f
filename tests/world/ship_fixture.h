#pragma once
// A flying ship in a clean world: the buttons of its command under the test's control, the
// sounds it asks for counted, named (silent) sound effects for plays run through screen 2,
// and solid tiles on demand.
#include <initializer_list>
#include <vector>

#include "audio/audio.h"
#include "audio/effects.h"
#include "shell/input.h"
#include "world/passes.h"
#include "world/ship.h"
#include "world/step.h"
#include "world_fixture.h"

class ShipTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        ResetInputState();
        std::vector<TWaveEntry> entries(Sfx::Count);
        for (int32_t i = 0; i < Sfx::Count; ++i) entries[i].Name = EffectName(i);
        SetWaveList(std::move(entries), "test effects");
        ResetTickAudio();
        for (TPlayer& p : Players) {
            p.MoveSpeeds[0] = 3;  // the configured defaults
            p.MoveSpeeds[1] = 2;
            p.MoveSpeeds[2] = 3;
            p.MoveSpeeds[3] = 1;
            p.HeadingTurnSpeed = 32;
            p.OrbitTurnSpeed = 16;
            p.Lives = 2;
        }
    }
    void TearDown() override {
        ResetInputState();
        ClearWaveList();
        ResetTickAudio();
        WorldTest::TearDown();
    }
    TPlayer& Ship() { return Players[0]; }
    // Ship 0 flying at (x, y), anchor docked at orbit angle 0, no invulnerability.
    void StartFlying(int32_t x, int32_t y, uint8_t mainLevel = 4, uint8_t anchorLevel = 28) {
        TPlayer& p = Ship();
        NewLife(0);
        p.X = x;
        p.Y = y;
        p.ShipState = ShipFlying;
        p.Invulnerable = 0;
        p.MainShotLevel = mainLevel;
        p.AnchorWeaponLevel = anchorLevel;
        DockPoint(p, p.AnchorX, p.AnchorY);
    }
    // One frame with exactly these buttons down: the ship update, then the ship-shot pass.
    void Step(std::initializer_list<int32_t> down = {}) {
        PlayCommand.Previous = PlayCommand.Buttons;
        PlayCommand.Buttons = {};
        for (int32_t b : down) PlayCommand.Buttons[b] = true;
        ShipUpdate(0);
        ShipShotPass();
    }
    void Steps(int32_t n, std::initializer_list<int32_t> down = {}) {
        for (int32_t i = 0; i < n; ++i) Step(down);
    }
    // How often the world asked for the effect since its report was last emptied.
    static int32_t CountSounds(int32_t effect) {
        int32_t n = 0;
        for (const TPlayCue& c : PlayReport) n += c.Kind == PlayCue::Sound && c.Value == effect;
        return n;
    }
    // Every sound the world asked for since its report was last emptied.
    static int32_t SoundCount() {
        int32_t n = 0;
        for (const TPlayCue& c : PlayReport) n += c.Kind == PlayCue::Sound;
        return n;
    }
    // The last song the world asked for (0 stops the music); NoSongEvent when none.
    static int32_t LastSong() {
        int32_t song = NoSongEvent;
        for (const TPlayCue& c : PlayReport)
            if (c.Kind == PlayCue::Song) song = c.Value;
        return song;
    }
    // CountSounds, emptying the report.
    static int32_t TakeSounds(int32_t effect) {
        const int32_t n = CountSounds(effect);
        ClearPlayReport();
        return n;
    }
    // Tile (column, row) of the map plane becomes solid; the stage has terrain.
    static void SolidTile(int32_t column, int32_t row) {
        HasTerrain = 1;
        StageMap.TileAttributes[1] = TileSolidBit;
        StageMap.TileMap[column * TileColumnBytes + row] = 1;
    }
    static void SolidColumn(int32_t column) {
        for (int32_t row = 0; row < SolidRows; ++row) SolidTile(column, row);
    }
    static void SolidRow(int32_t row) {
        for (int32_t column = 0; column < SolidColumns; ++column) SolidTile(column, row);
    }
    int32_t CountShotKind(int32_t kind) const {
        int32_t n = 0;
        for (int32_t s = 0; s <= LastShotSlot; ++s) n += Objects[s].Kind == kind;
        return n;
    }
};
