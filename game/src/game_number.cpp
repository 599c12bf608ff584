#include "game/game_number.h"

#include "game/geometry.h"

#include <array>

namespace game_number {

namespace {

// Digits 2..9 and the letters without I and O: 32 symbols, 5 bits each.
constexpr char kAlphabet[] = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int kDataSymbols = 11;         // 55 bits: seed, players, a spare bit
constexpr int kSymbols = kDataSymbols + 1; // and the check symbol
constexpr int kGroup = 4;

// Symbols as elements of GF(32), modulo x^5 + x^2 + 1.
int Times(int a, int b)
{
    int product = 0;
    for (; b; b >>= 1) {
        if (b & 1)
            product ^= a;
        a <<= 1;
        if (a & 0x20)
            a ^= 0x25;
    }
    return product;
}

// The check symbol: the data symbols weighted by the powers of x. A change
// e of one symbol changes the sum by e times a power of x, never zero; two
// neighbouring symbols a, b swapped change it by (a + b)·x^i·(1 + x), never
// zero unless a = b. (The check symbol itself has the weight 1 = x^0, and
// x^11 differs from it, so a swap with it is caught as well.)
int Check(const std::array<int, kDataSymbols> &data)
{
    int sum = 0;
    int weight = 1;
    for (int symbol : data) {
        weight = Times(weight, 2);
        sum ^= Times(symbol, weight);
    }
    return sum;
}

int SymbolOf(QChar c)
{
    const char16_t upper = c.toUpper().unicode();
    for (int i = 0; i < 32; ++i) {
        if (kAlphabet[i] == upper)
            return i;
    }
    return -1;
}

} // namespace

QString Encode(std::uint64_t seed, int players)
{
    if (seed >= kSeedLimit || players < geometry::kFewestPlayers || players > geometry::kMostPlayers)
        return {};
    // Seed in the low 50 bits, players - 2 in the next 4; the top bit stays
    // 0, for a later kind of number.
    std::uint64_t bits = seed | (std::uint64_t(players - geometry::kFewestPlayers) << kSeedBits);
    std::array<int, kDataSymbols> data{};
    for (int i = kDataSymbols - 1; i >= 0; --i) {
        data[std::size_t(i)] = int(bits & 31);
        bits >>= 5;
    }
    QString text;
    for (int i = 0; i < kSymbols; ++i) {
        if (i > 0 && i % kGroup == 0)
            text += u'-';
        const int symbol = i < kDataSymbols ? data[std::size_t(i)] : Check(data);
        text += QLatin1Char(kAlphabet[symbol]);
    }
    return text;
}

std::optional<Round> Decode(QStringView text)
{
    std::array<int, kSymbols> symbols{};
    int count = 0;
    for (QChar c : text) {
        if (c == u'-' || c.isSpace())
            continue;
        const int symbol = SymbolOf(c);
        if (symbol < 0 || count == kSymbols)
            return std::nullopt;
        symbols[std::size_t(count++)] = symbol;
    }
    if (count != kSymbols)
        return std::nullopt;

    std::array<int, kDataSymbols> data{};
    std::uint64_t bits = 0;
    for (int i = 0; i < kDataSymbols; ++i) {
        data[std::size_t(i)] = symbols[std::size_t(i)];
        bits = bits << 5 | std::uint64_t(data[std::size_t(i)]);
    }
    if (Check(data) != symbols[kDataSymbols])
        return std::nullopt;
    const int players = int(bits >> kSeedBits) + geometry::kFewestPlayers;
    if (players > geometry::kMostPlayers) // also a set spare bit
        return std::nullopt;
    return Round{bits & (kSeedLimit - 1), players};
}

} // namespace game_number
