#pragma once

#include <cstdint>

// The ladder's geometry, in millimetres of the main window.
namespace geometry {

// A game has 2 to 12 players, one column each.
constexpr int kFewestPlayers = 2;
constexpr int kMostPlayers = 12;

constexpr int kColumnSpacing = 14;
constexpr int kLadderTop = 35;
constexpr int kLadderBottom = 127;
constexpr int kLowestRung = 40;
constexpr int kHighestRung = 115;   // largest y a rung may have
constexpr int kRungGrid = 5;
constexpr int kSlotsPerGap = 7;
constexpr int kMinRungsPerGap = 4;
constexpr int kNoRungBelow = 123;   // what FindNextRung answers when nothing lies below
constexpr int kLineWidth = 3;       // pixels
constexpr int kShadowWidth = 2;     // pixels
constexpr int kLineColour = 0;      // black

// A millimetre on the window in logical pixels (567 twips = 1 cm, 15 twips = 1 px).
constexpr double kPixelsPerMm = 567.0 / 15.0 / 10.0;

// x of column 1 for n columns: the ladder centred in the band 50..199 mm.
// The unrounded value always ends in .5, so halves-to-even decides it.
std::int16_t LadderLeft(int n);

// x of column k (1-based) of a ladder whose column 1 stands at left.
constexpr int ColumnX(int left, int k) { return left + kColumnSpacing * (k - 1); }

// The column (1-based) a point at x belongs to, by truncating division.
constexpr int ColumnAt(int left, int x) { return (x - left) / kColumnSpacing + 1; }

} // namespace geometry
