#include "world/tables.h"

#include <array>
#include <iterator>

#include "world/objects.h"

namespace {
struct TShotRow {
    int32_t Kind;
    TShotType Type;
};
// Damage, pierces, ignores walls and hit box of every shot kind, made by a weapon or not.
constexpr TShotRow ShotRows[] = {
    {ShotKind::Main, {7, 0, 0, {-13, -3, 13, 3}}},
    {ShotKind::MainHeavy, {12, 0, 0, {-13, -8, 13, 8}}},
    {ShotKind::Twin, {10, 0, 0, {-8, -8, 8, 8}}},
    {ShotKind::MissilePair, {10, 0, 0, {-10, -10, 10, 10}}},
    {ShotKind::Side, {5, 0, 0, {-10, -6, 10, 6}}},
    {ShotKind::Unmade21, {9, 0, 0, {-12, -9, 12, 9}}},
    {ShotKind::GroundMissile, {10, 0, 0, {-8, -8, 8, 8}}},
    {ShotKind::Trail, {3, 1, 1, {-24, -24, 24, 24}}},
    {ShotKind::AnchorShot, {7, 0, 0, {-8, -8, 8, 8}}},
    {ShotKind::Wide, {7, 0, 0, {-8, -8, 8, 8}}},
    {ShotKind::Bound, {6, 0, 1, {-8, -8, 8, 8}}},
    {ShotKind::Unmade27, {5, 0, 0, {-10, -10, 10, 10}}},
    {ShotKind::Unmade28, {8, 1, 0, {-10, -10, 10, 10}}},
    {ShotKind::HeldAnchor, {6, 1, 1, {-20, -20, 20, 20}}},
    {ShotKind::Unmade30, {0, 0, 0, {0, 0, 0, 0}}},
    {ShotKind::Unmade31, {0, 1, 1, {0, 0, 0, 0}}},
    {ShotKind::FlameSource, {0, 1, 1, {0, 0, 0, 0}}},
    {ShotKind::Flame, {3, 1, 0, {-24, -24, 24, 24}}},
    {ShotKind::Unmade34, {9, 0, 0, {-8, -8, 8, 8}}},
    {ShotKind::Unmade35, {4, 1, 0, {-8, -8, 8, 8}}},
    {ShotKind::Unmade36, {4, 1, 0, {-8, -8, 8, 8}}},
    {ShotKind::Bomb, {5, 0, 1, {-8, -8, 8, 8}}},
    {ShotKind::Blast, {1, 1, 1, {-24, -24, 24, 24}}},
    {ShotKind::Drill, {2, 1, 1, {-16, -16, 16, 16}}},
    {ShotKind::PlasmaSmall, {2, 1, 1, {-16, -16, 16, 16}}},
    {ShotKind::PlasmaMedium, {3, 1, 1, {-20, -20, 20, 20}}},
    {ShotKind::PlasmaLarge, {4, 1, 1, {-24, -24, 24, 24}}},
    {ShotKind::Unmade43, {3, 1, 0, {-24, -24, 24, 24}}},
    {ShotKind::LaserThin, {8, 0, 0, {-8, -3, 8, 3}}},
    {ShotKind::LaserMedium, {12, 0, 0, {-8, -5, 8, 5}}},
    {ShotKind::LaserThick, {16, 0, 0, {-8, -10, 8, 10}}},
    {ShotKind::WallSpark, {0, 0, 1, {0, 0, 0, 0}}},
};

// The rows indexed by kind; a kind outside the shots or given twice stops the build.
constexpr std::array<TShotType, ShotTypeCount> IndexByKind() {
    std::array<TShotType, ShotTypeCount> types{};
    std::array<bool, ShotTypeCount> given{};
    for (const TShotRow& row : ShotRows) {
        const int32_t i = row.Kind - KindFirstShot;
        if (i < 0 || i >= ShotTypeCount || given[i]) throw "a shot kind out of range or twice";
        given[i] = true;
        types[i] = row.Type;
    }
    return types;
}
static_assert(std::size(ShotRows) == ShotTypeCount);
constexpr std::array<TShotType, ShotTypeCount> ShotTypes = IndexByKind();
}  // namespace

const TShotType& ShotType(int32_t kind) {
    static const TShotType none{0, 0, 0, {0, 0, 0, 0}};
    if (kind < KindFirstShot || kind > KindLastShot) return none;
    return ShotTypes[kind - KindFirstShot];
}

const uint8_t UpgradeTable[UpgradeRows][4] = {
    {1, 1, 1, 0},      // 0  character 1 main shot
    {2, 2, 2, 0},      // 1
    {2, 2, 2, 1},      // 2
    {3, 3, 3, 3},      // 3  character 2 main shot (no power-up)
    {5, 8, 11, 4},     // 4  character 0 base
    {6, 9, 12, 4},     // 5  wide shot
    {7, 10, 13, 5},    // 6
    {7, 10, 13, 5},    // 7
    {6, 9, 12, 4},     // 8  ground missile
    {7, 10, 13, 8},    // 9
    {7, 10, 13, 8},    // 10
    {6, 9, 12, 4},     // 11 laser
    {7, 10, 13, 11},   // 12
    {7, 10, 13, 11},   // 13
    {15, 16, 17, 14},  // 14 character 1 anchor base
    {15, 16, 17, 14},  // 15 bomb
    {15, 16, 17, 14},  // 16 drill missile
    {15, 16, 17, 14},  // 17 gravity anchor
    {19, 22, 25, 18},  // 18 character 2 anchor base
    {20, 23, 26, 18},  // 19 flamethrower
    {21, 24, 27, 19},  // 20
    {21, 24, 27, 19},  // 21
    {20, 23, 26, 18},  // 22 bound shot
    {21, 24, 27, 22},  // 23
    {21, 24, 27, 22},  // 24
    {20, 23, 26, 18},  // 25 plasma anchor
    {21, 24, 27, 25},  // 26
    {21, 24, 27, 25},  // 27
    {28, 28, 28, 28},  // 28 character 0 anchor (no power-up)
};

const int32_t MoveDirTable[16] = {0,   512, 0,   0,   768, 640, 896, 768,
                                  256, 384, 128, 256, 0,   512, 0,   0};

const int32_t ScrollSpreadTable[4][4] = {
    {0, 0, 0, 0},
    {1, 0, 0, 0},
    {1, 0, 1, 0},
    {1, 1, 1, 0},
};

const TStageInfo StageTable[StageCount + 1] = {
    {0, 0},     // no stage 0
    {1, 7200},  // 1
    {0, 7200},  // 2
    {1, 7200},  // 3
    {0, 7200},  // 4
    {0, 1500},  // 5
    {1, 7200},  // 6
    {0, 7200},  // 7
};

const TStageInfo& StageInfo(int32_t stage) {
    if (stage < 1 || stage > StageCount) return StageTable[0];
    return StageTable[stage];
}
