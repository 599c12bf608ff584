#pragma once

#include <cstdint>

class DrawingSurface;
class Random;
struct GameState;

// The ladder module: empty columns, the random ladder and the rung search.
// Each routine works on the one game state it is given and draws on the
// given surface; the random ones draw from the round's generator `random`,
// never from anything else, so that a seed rebuilds them exactly.

// Clears the drawing and draws n empty columns; sets gLadderLeft. Counts of
// 0 or less draw nothing but still clear and set the left edge.
void DrawColumns(GameState &state, DrawingSurface &surface, std::int16_t n);

// Draws the gMemberCount columns of a confirmed ladder and generates, stores
// and draws its random rungs. The caller has cleared the drawing.
void DrawLadder(GameState &state, DrawingSurface &surface, Random &random);

// Turns the raw height y into an acceptable height for slot s of gap g:
// on the 5 mm grid and clashing with no rung already placed in this gap or
// in the gap to its left; a clash draws a new raw height. Leaves the result
// in y and returns it.
std::int16_t PlaceRung(const GameState &state, std::int16_t &y, std::int16_t g, std::int16_t s,
                       Random &random);

// Fills gShuffle(1..n) with a random permutation of 1..n. gShuffle must have
// been re-created with exactly n zeros just before.
void ShuffleInto(GameState &state, std::int16_t n, Random &random);

// Height of the nearest rung strictly below y touching the column at x, or
// 123 when there is none. Sets gRungToLeft to that rung's side; leaves it
// alone when nothing is found.
std::int16_t FindNextRung(GameState &state, std::int16_t x, std::int16_t y);
