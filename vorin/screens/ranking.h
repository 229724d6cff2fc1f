#pragma once
// Screen 7, the ranking: the five best scores of the table with the pictures of their
// characters; any button returns to the title. EnterRanking, UpdateRanking and DrawRanking are
// in shell/screens.h.
#include <cstdint>

// Where the rows go: the first score line's y and the step between lines.
constexpr int32_t RankingFirstLineY = 82;
constexpr int32_t RankingLineStep = 30;
// The character picture beside each line: its x, its offset above the line, its size.
constexpr int32_t RankingPictureX = 200;
constexpr int32_t RankingPictureRise = 12;
constexpr int32_t RankingPictureSize = 40;

// The top of a character's picture in PlayerSheet, or -1 when the sheet has no such row
// (a character from a hand-edited score file).
int32_t RankingPictureTop(int32_t character, int32_t sheetHeight);
