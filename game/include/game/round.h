#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

class DrawingSurface;
struct GameState;

// Confirm and Reset: the rules of starting and abandoning a round. The window
// only reads the set-up boxes before, and makes or removes its per-column
// controls after.

// Confirm: a new ladder of n players (2..12) on a cleared surface. Enters
// the confirmed phase, re-creates the per-round arrays, fills gPrizes from
// `prizeList` (entries in list order; an empty list, or one whose first
// entry is empty, numbers the prizes 1..n instead), shuffles which prize each
// column leads to and draws the random ladder. Returns the pictures of
// columns 1..n: n distinct numbers out of 1..12.
//
// Everything random in the round (pictures, shuffle, rungs) comes from one
// generator seeded with `seed`, kept in gSeed: the same seed, count and
// list build the same round, and the seed with the count is the round's
// number (game/game_number.h).
std::vector<std::int16_t> ConfirmLadder(GameState &state, DrawingSurface &surface, std::int16_t n,
                                        const QStringList &prizeList, std::uint64_t seed);

// A fresh seed for a round, below game_number::kSeedLimit, from the
// operating system's random source: nobody can tell the next round's
// ladder from the clock or from earlier rounds.
std::uint64_t NewRoundSeed();

// Reset: back to the set-up phase. A ladder still on the surface is replaced
// by n empty columns and true is returned, so that the caller removes the
// columns' controls; a second Reset in a row changes nothing and is false.
bool ResetLadder(GameState &state, DrawingSurface &surface, std::int16_t n);
