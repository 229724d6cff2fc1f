#pragma once
// einit.dat: 256 enemy kind records of 52 packed bytes, record n describing object kind n.
#include <cstddef>
#include <cstdint>
#include <string>

#include "krdxlib/geometry.h"

constexpr int32_t EnemyTypeCount = 256;
constexpr const char* EnemyTypeFileName = "einit.dat";

// State bytes.
constexpr uint8_t StateDying = 1;
constexpr uint8_t StateEntering = 2;
constexpr uint8_t StateActive = 4;
constexpr uint8_t StateInert = 5;
// Contact kinds.
constexpr uint8_t ContactHarmless = 0;
constexpr uint8_t ContactDeadly = 1;
constexpr uint8_t ContactSolid = 2;
// Shot responses.
constexpr uint8_t ShotsPass = 0;
constexpr uint8_t ShotsDamage = 1;
constexpr uint8_t ShotsStopped = 2;
// Death kinds.
constexpr uint8_t DeathVanish = 0;
constexpr uint8_t DeathSmall = 1;
constexpr uint8_t DeathLarge = 2;
constexpr uint8_t DeathLong = 3;
// Death actions.
constexpr uint8_t ActionNone = 0;
constexpr uint8_t ActionItem = 1;
constexpr uint8_t ActionSpawn = 2;
constexpr uint8_t ActionSetRegA = 5;
constexpr uint8_t ActionSetRegB = 6;

#pragma pack(push, 1)
// One record exactly as the file holds it: no padding, so the box sits at offset 25.
struct TEnemyType {
    int32_t HitPoints;       // 0
    uint8_t InitialState;    // 4
    uint8_t ContactKind;     // 5
    uint8_t ShotResponse;    // 6
    uint8_t Reserved7;       // 7
    int32_t Layer;           // 8
    uint8_t BossFlag;        // 12
    uint8_t Reserved13[3];   // 13
    int32_t Score;           // 16
    uint8_t DeathKind;       // 20
    uint8_t TightLeft;       // 21: removed when x < -80, else x < -1280
    uint8_t TightRight;      // 22: x > 400, else x > 1600
    uint8_t TightTop;        // 23: y < -60, else y < -960
    uint8_t TightBottom;     // 24: y > 300, else y > 1200
    int32_t BoxLeft;         // 25
    int32_t BoxTop;          // 29
    int32_t BoxRight;        // 33
    int32_t BoxBottom;       // 37
    uint8_t DeathAction;     // 41
    uint8_t Reserved42[2];   // 42
    int32_t DeathValue;      // 44
    uint8_t ScrollsWithMap;  // 48
    uint8_t FinePosition;    // 49
    uint8_t Reserved50[2];   // 50
};
#pragma pack(pop)
static_assert(sizeof(TEnemyType) == 52, "einit.dat records are 52 bytes");
static_assert(offsetof(TEnemyType, BoxLeft) == 25, "the hit box starts at offset 25");
static_assert(offsetof(TEnemyType, DeathValue) == 44, "death value at offset 44");
static_assert(offsetof(TEnemyType, FinePosition) == 49, "fine flag at offset 49");

constexpr size_t EnemyTypeFileSize = sizeof(TEnemyType) * EnemyTypeCount;
static_assert(EnemyTypeFileSize == 13312, "einit.dat is 13312 bytes");

// The record's hit box as a box.
inline TBox TypeBox(const TEnemyType& t) {
    return {t.BoxLeft, t.BoxTop, t.BoxRight, t.BoxBottom};
}

// A file image into the table: the first 13312 bytes; records it does not cover are zero.
void ParseEnemyTypes(const uint8_t* data, size_t size, TEnemyType* table);
// Reads the file into the table; a missing or unreadable file throws EInOutError naming it.
void ReadEnemyTypes(const std::string& path, TEnemyType* table);
