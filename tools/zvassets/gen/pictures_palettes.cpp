#include "pictures_palettes.h"

namespace zvtools {

namespace {
// Key, outline and a glow from deep orange to white.
void GlowRamp(std::vector<Rgb>& p, Rgb key = {255, 0, 255}) {
    p.push_back(key);
    p.push_back({14, 10, 22});
    AppendRamp(p, {140, 36, 0}, {255, 170, 30}, {255, 255, 255}, 6);
}
}  // namespace

std::vector<Rgb> playerpal::Colors() {
    // Colour 0 is the key of the ship sheet, but stage 2 also clears the sea with game palette
    // entry 0, so it is a dark sea blue rather than a loud key colour.
    std::vector<Rgb> p = {{12, 34, 70},  {14, 10, 22},   {70, 30, 16},    {190, 60, 0},
                          {245, 135, 0}, {255, 210, 60}, {255, 250, 180}, {255, 255, 255}};
    AppendRamp(p, {26, 30, 42}, {110, 118, 140}, {238, 242, 252});
    AppendRamp(p, {10, 18, 64}, {40, 96, 212}, {220, 238, 255});
    AppendRamp(p, {0, 40, 62}, {0, 160, 200}, {236, 255, 255});
    AppendRamp(p, {52, 6, 10}, {206, 40, 38}, {255, 226, 210});
    AppendRamp(p, {8, 40, 22}, {40, 160, 76}, {226, 255, 226});
    return p;
}

std::vector<Rgb> enemypal::Colors() {
    std::vector<Rgb> p;
    GlowRamp(p);
    AppendRamp(p, {24, 30, 32}, {98, 112, 106}, {222, 230, 218});
    AppendRamp(p, {46, 6, 16}, {200, 40, 54}, {255, 214, 196});
    AppendRamp(p, {10, 24, 46}, {50, 128, 180}, {236, 250, 255});
    return p;
}

std::vector<Rgb> stagepal::Back(int stage) {
    std::vector<Rgb> p;
    if (stage == 1) {
        GlowRamp(p);
        AppendRamp(p, {20, 24, 34}, {84, 96, 118}, {200, 210, 224});  // 1 plated metal
        AppendRamp(p, {30, 20, 14}, {110, 80, 52}, {214, 186, 140});  // 2 earth and rock
        AppendRamp(p, {8, 10, 22}, {30, 42, 72}, {96, 120, 160});     // 3 distant hangar
        AppendRamp(p, {16, 30, 18}, {58, 104, 60}, {176, 216, 150});  // 4 moss and pipes
        AppendRamp(p, {40, 30, 0}, {200, 150, 0}, {255, 240, 140});   // 5 hazard yellow
        AppendRamp(p, {30, 6, 6}, {150, 30, 24}, {255, 150, 120});    // 6 warning red
        AppendRamp(p, {0, 30, 40}, {0, 140, 170}, {200, 255, 255});   // 7 lamps
    } else if (stage == 2) {
        GlowRamp(p);
        AppendRamp(p, {30, 60, 130}, {80, 140, 220}, {190, 225, 255});     // 1 high sky
        AppendRamp(p, {120, 150, 210}, {220, 200, 215}, {255, 236, 200});  // 2 horizon haze
        AppendRamp(p, {110, 120, 170}, {205, 214, 240}, {255, 255, 255});  // 3 clouds
        AppendRamp(p, {4, 24, 60}, {20, 80, 140}, {120, 200, 230});        // 4 sea
        AppendRamp(p, {20, 40, 30}, {60, 110, 70}, {170, 210, 140});       // 5 islands
        AppendRamp(p, {40, 44, 60}, {120, 126, 146}, {230, 232, 240});     // 6 ships, rocks
        AppendRamp(p, {90, 40, 20}, {230, 130, 70}, {255, 230, 170});      // 7 sun glow
    } else {
        GlowRamp(p);
        AppendRamp(p, {10, 0, 30}, {60, 20, 120}, {160, 110, 240});     // 1 violet depth
        AppendRamp(p, {40, 0, 40}, {200, 40, 170}, {255, 190, 245});    // 2 magenta light
        AppendRamp(p, {0, 20, 50}, {0, 150, 210}, {210, 255, 255});     // 3 cyan light
        AppendRamp(p, {20, 20, 40}, {120, 120, 160}, {255, 255, 255});  // 4 white streaks
        AppendRamp(p, {40, 20, 0}, {220, 150, 30}, {255, 250, 200});    // 5 gold
        AppendRamp(p, {6, 4, 18}, {30, 24, 60}, {80, 70, 130});         // 6 dark structure
        AppendRamp(p, {6, 0, 26}, {40, 6, 150}, {72, 18, 236});         // 7 ultraviolet glow
    }
    return p;
}

std::vector<Rgb> stagepal::Enemy(int stage) {
    std::vector<Rgb> p;
    GlowRamp(p);
    if (stage == 1) {
        AppendRamp(p, {22, 26, 12}, {96, 106, 56}, {212, 220, 160});   // 1 olive drab
        AppendRamp(p, {40, 30, 18}, {150, 124, 84}, {240, 224, 184});  // 2 khaki
        AppendRamp(p, {20, 22, 28}, {96, 100, 112}, {226, 230, 238});  // 3 steel
        AppendRamp(p, {50, 10, 6}, {190, 50, 30}, {255, 190, 150});    // 4 red markings
        AppendRamp(p, {12, 12, 14}, {60, 58, 56}, {150, 146, 140});    // 5 tracks, iron
        AppendRamp(p, {0, 24, 40}, {30, 140, 190}, {210, 250, 255});   // 6 glass
        AppendRamp(p, {50, 40, 0}, {220, 180, 20}, {255, 250, 170});   // 7 hazard yellow
    } else if (stage == 2) {
        AppendRamp(p, {24, 30, 44}, {92, 104, 130}, {214, 222, 240});   // 1 navy grey
        AppendRamp(p, {60, 14, 10}, {236, 100, 70}, {255, 222, 190});   // 2 coral
        AppendRamp(p, {60, 56, 50}, {200, 190, 170}, {255, 255, 250});  // 3 cream
        AppendRamp(p, {4, 20, 50}, {30, 90, 170}, {170, 220, 255});     // 4 deep blue
        AppendRamp(p, {30, 20, 10}, {130, 96, 50}, {230, 210, 150});    // 5 bronze
        AppendRamp(p, {0, 36, 20}, {20, 170, 110}, {200, 255, 220});    // 6 green glass
        AppendRamp(p, {40, 0, 40}, {190, 40, 150}, {255, 190, 240});    // 7 magenta
    } else {
        AppendRamp(p, {14, 16, 30}, {70, 78, 110}, {190, 200, 230});    // 1 gunmetal
        AppendRamp(p, {50, 0, 40}, {220, 40, 150}, {255, 200, 240});    // 2 magenta
        AppendRamp(p, {0, 30, 50}, {0, 170, 220}, {220, 255, 255});     // 3 cyan
        AppendRamp(p, {50, 50, 60}, {180, 184, 196}, {255, 255, 255});  // 4 white steel
        AppendRamp(p, {30, 0, 60}, {120, 50, 210}, {220, 190, 255});    // 5 violet
        AppendRamp(p, {60, 36, 0}, {220, 160, 30}, {255, 246, 190});    // 6 gold
        AppendRamp(p, {50, 4, 4}, {200, 30, 30}, {255, 170, 150});      // 7 red
    }
    return p;
}

std::vector<Rgb> frontpal::Logo() {
    std::vector<Rgb> p = {{255, 0, 255}, {8, 6, 20}};
    AppendRamp(p, {20, 30, 80}, {90, 130, 210}, {255, 255, 255}, 7);  // 2..8 chrome
    AppendRamp(p, {150, 40, 0}, {255, 160, 20}, {255, 250, 190}, 5);  // 9..13 fire
    p.push_back({120, 0, 30});                                        // 14 deep red
    p.push_back({230, 30, 60});                                       // 15 red
    return p;
}

std::vector<Rgb> frontpal::Select() {
    std::vector<Rgb> p;
    GlowRamp(p);
    AppendRamp(p, {60, 30, 24}, {214, 150, 120}, {255, 236, 220});  // 1 skin
    AppendRamp(p, {10, 16, 50}, {50, 90, 200}, {200, 225, 255});    // 2 Nia: blue
    AppendRamp(p, {50, 8, 10}, {190, 40, 40}, {255, 200, 180});     // 3 Breska: red
    AppendRamp(p, {10, 40, 24}, {50, 160, 90}, {210, 255, 220});    // 4 Mirra: green
    AppendRamp(p, {20, 20, 30}, {100, 104, 120}, {230, 232, 240});  // 5 suits, metal
    AppendRamp(p, {40, 24, 10}, {170, 120, 50}, {255, 236, 170});   // 6 hair brown-gold
    AppendRamp(p, {6, 8, 24}, {30, 40, 90}, {110, 140, 210});       // 7 portrait backdrop
    return p;
}

std::vector<Rgb> frontpal::Cloth() {
    std::vector<Rgb> p;
    AppendRamp(p, {2, 4, 14}, {14, 26, 60}, {40, 70, 130});      // 0 deep blue
    AppendRamp(p, {10, 4, 26}, {50, 24, 100}, {120, 80, 190});   // 8 violet
    AppendRamp(p, {0, 20, 30}, {0, 90, 120}, {120, 230, 255});   // 16 cyan lines
    AppendRamp(p, {30, 16, 0}, {150, 90, 10}, {255, 220, 120});  // 24 gold
    return p;
}

}  // namespace zvtools
