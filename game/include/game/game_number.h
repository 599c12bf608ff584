#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// A round's number, written for people: twelve characters in three groups
// ("K7QM-3XPA-92JD") from an alphabet of 32 that has no 0, 1, I or O, so
// nothing in it can be read as something else. It carries the round's seed
// and its player count, which together rebuild the round exactly, and a
// check character: a number with one character mistyped, or two
// neighbouring characters swapped, is refused rather than replayed as
// another round.
namespace game_number {

// The seed has this many bits; a round's seed is drawn below 2^kSeedBits.
constexpr int kSeedBits = 50;
constexpr std::uint64_t kSeedLimit = std::uint64_t(1) << kSeedBits;

struct Round
{
    std::uint64_t seed = 0;
    int players = 0;
    bool operator==(const Round &) const = default;
};

// The number of a round of `players` (2..12) from `seed` (below
// kSeedLimit). Empty text for values out of range.
QString Encode(std::uint64_t seed, int players);

// The round a typed number names. Case, spaces and dashes do not matter;
// a number of the wrong length, with a character outside the alphabet, a
// wrong check character or a player count out of range is nothing.
std::optional<Round> Decode(QStringView text);

} // namespace game_number
