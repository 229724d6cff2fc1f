#pragma once
// A clean world in a private data directory, and a builder for stage map images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "shell/input.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"
#include "zvcommon/stagemap.h"
#include "zvrandom.h"

// A stage map image: header with big-endian counts, attributes, columns, records.
struct StageImage {
    std::vector<uint8_t> attributes = std::vector<uint8_t>(256, 0);
    std::vector<std::vector<uint8_t>> columns;  // each 32 bytes
    std::vector<TTimelineEvent> events;

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out(384 + 32 * columns.size() + 20 * events.size(), 0);
        out[16] = static_cast<uint8_t>(columns.size() >> 8);
        out[17] = static_cast<uint8_t>(columns.size() & 255);
        out[18] = static_cast<uint8_t>(events.size() >> 8);
        out[19] = static_cast<uint8_t>(events.size() & 255);
        std::memcpy(out.data() + 128, attributes.data(), 256);
        for (size_t c = 0; c < columns.size(); ++c) {
            std::memcpy(out.data() + 384 + 32 * c, columns[c].data(),
                        std::min<size_t>(32, columns[c].size()));
        }
        for (size_t e = 0; e < events.size(); ++e) {
            std::memcpy(out.data() + 384 + 32 * columns.size() + 20 * e, &events[e], 20);
        }
        return out;
    }
};

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        ResetInputState();  // no button left down by an earlier test fires the ship
        BuildTrigTables();
        Randomize(12345);
        dir_ = std::filesystem::temp_directory_path() /
               ("zvworld_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        savedDataDir_ = DataDir;
        DataDir = dir_.string() + "/";
        CurrentScreen = 0;
        NextScreen = 0;
        FadeStep = 0;
        FadeLevel = 0;
        FadeInDone = false;
        MessageTicks = 0;
        MessageText.clear();
    }
    void TearDown() override {
        DataDir = savedDataDir_;
        std::filesystem::remove_all(dir_);
    }
    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream f(dir_ / name, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    // A kind record that is active, takes damage and keeps the given flags.
    static void DefineKind(int32_t kind, int32_t hp, bool scrolls = false, bool fine = false) {
        TEnemyType& t = EnemyTypes[kind];
        t.HitPoints = hp;
        t.InitialState = StateActive;
        t.ShotResponse = ShotsDamage;
        t.ScrollsWithMap = scrolls;
        t.FinePosition = fine;
        t.TightLeft = t.TightRight = t.TightTop = t.TightBottom = 1;
    }
    int32_t CountKind(int32_t kind) const {
        int32_t n = 0;
        for (int32_t s = 0; s < ObjectCount; ++s) n += Objects[s].Kind == kind;
        return n;
    }
    std::filesystem::path dir_;
    std::string savedDataDir_;
};
