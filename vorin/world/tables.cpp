#include "world/tables.h"

#include "world/objects.h"

const TShotType ShotTypes[ShotTypeCount] = {
    {7, 0, 0, {-13, -3, 13, 3}},     // 16 main shot
    {12, 0, 0, {-13, -8, 13, 8}},    // 17 main shot, level 2
    {10, 0, 0, {-8, -8, 8, 8}},      // 18
    {10, 0, 0, {-10, -10, 10, 10}},  // 19 ground missile pair
    {5, 0, 0, {-10, -6, 10, 6}},     // 20 side shot
    {9, 0, 0, {-12, -9, 12, 9}},     // 21 (no weapon makes it)
    {10, 0, 0, {-8, -8, 8, 8}},      // 22 ground missile
    {3, 1, 1, {-24, -24, 24, 24}},   // 23 anchor trail
    {7, 0, 0, {-8, -8, 8, 8}},       // 24 anchor shot
    {7, 0, 0, {-8, -8, 8, 8}},       // 25 wide shot
    {6, 0, 1, {-8, -8, 8, 8}},       // 26 bound shot
    {5, 0, 0, {-10, -10, 10, 10}},   // 27 (no weapon makes it)
    {8, 1, 0, {-10, -10, 10, 10}},   // 28 (no weapon makes it)
    {6, 1, 1, {-20, -20, 20, 20}},   // 29 held anchor
    {0, 0, 0, {0, 0, 0, 0}},         // 30 (no weapon makes it)
    {0, 1, 1, {0, 0, 0, 0}},         // 31 (no weapon makes it)
    {0, 1, 1, {0, 0, 0, 0}},         // 32 flame source
    {3, 1, 0, {-24, -24, 24, 24}},   // 33 flame
    {9, 0, 0, {-8, -8, 8, 8}},       // 34 (no weapon makes it)
    {4, 1, 0, {-8, -8, 8, 8}},       // 35 (no weapon makes it)
    {4, 1, 0, {-8, -8, 8, 8}},       // 36 (no weapon makes it)
    {5, 0, 1, {-8, -8, 8, 8}},       // 37 bomb
    {1, 1, 1, {-24, -24, 24, 24}},   // 38 bomb blast
    {2, 1, 1, {-16, -16, 16, 16}},   // 39 drill missile
    {2, 1, 1, {-16, -16, 16, 16}},   // 40 plasma anchor
    {3, 1, 1, {-20, -20, 20, 20}},   // 41
    {4, 1, 1, {-24, -24, 24, 24}},   // 42
    {3, 1, 0, {-24, -24, 24, 24}},   // 43 (no weapon makes it)
    {8, 0, 0, {-8, -3, 8, 3}},       // 44 laser
    {12, 0, 0, {-8, -5, 8, 5}},      // 45
    {16, 0, 0, {-8, -10, 8, 10}},    // 46
    {0, 0, 1, {0, 0, 0, 0}},         // 47 wall spark
};

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
