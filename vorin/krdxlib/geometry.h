#pragma once
// Boxes, angles (1024 steps a turn, 0 right, 256 down) and the trigonometric tables.
#include <array>
#include <cstdint>

struct TBox {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // relative to the owner's position
};

constexpr int32_t AngleMask = 0x3ff;

extern std::array<float, 1024> CosTable;  // cos(i * 2 * pi / 1024)
extern std::array<float, 1024> SinTable;  // sin(i * 2 * pi / 1024)

// Builds both tables in extended precision, stored as single floats.
void BuildTrigTables();

// Strict overlap of box a at (ax, ay) and box b at (bx, by); touching edges do not overlap.
bool BoxHit(const TBox& a, int32_t ax, int32_t ay, const TBox& b, int32_t bx, int32_t by);
// Point strictly inside box at (ox, oy).
bool PointInBox(int32_t px, int32_t py, const TBox& box, int32_t ox, int32_t oy);
// Point strictly inside the box shrunk by m on every side.
bool PointInBoxShrunk(int32_t px, int32_t py, const TBox& box, int32_t ox, int32_t oy, int32_t m);
// Angle 0..1023 of the vector from (x1, y1) to (x2, y2); equal points give 768.
int32_t GetAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// One step of s from angle a toward t (no clamping), masked to 0..1023.
int32_t TurnAngle(int32_t a, int32_t t, int32_t s);
