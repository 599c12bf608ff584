#include "game/ladder.h"

#include "game/drawing_surface.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/random.h"

using namespace geometry;

namespace {

void DrawEmptyColumns(DrawingSurface &surface, int left, int n)
{
    for (int i = 1; i <= n; ++i) {
        const int x = ColumnX(left, i);
        surface.DrawLine(x, kLadderTop, x, kLadderBottom, kLineColour);
    }
}

// A raw height 40..117; before snapping, 40 is drawn by 3 raw values and
// every other grid height by 5.
std::int16_t RawRungHeight(Random &random)
{
    return std::int16_t(random.Whole(78.0, 40.0));
}

bool TakenInRow(const GameState &state, int row, int lastSlot, int y)
{
    for (int slot = 1; slot <= lastSlot; ++slot) {
        if (state.gRungs(row, slot) == y)
            return true;
    }
    return false;
}

} // namespace

void DrawColumns(GameState &state, DrawingSurface &surface, std::int16_t n)
{
    surface.SetLineWidth(kLineWidth);
    surface.Clear();
    state.gLadderLeft = LadderLeft(n);
    DrawEmptyColumns(surface, state.gLadderLeft, n);
}

void DrawLadder(GameState &state, DrawingSurface &surface, Random &random)
{
    const std::int16_t n = state.gMemberCount;
    surface.SetLineWidth(kLineWidth);
    state.gLadderLeft = LadderLeft(n);
    DrawEmptyColumns(surface, state.gLadderLeft, n);

    state.gRungs.Recreate(n, kSlotsPerGap);
    int x = state.gLadderLeft;
    for (std::int16_t g = 1; g <= n - 1; ++g) {
        const int count = random.Whole(4.0, 4.0);
        for (std::int16_t s = 1; s <= count; ++s) {
            std::int16_t y = RawRungHeight(random);
            PlaceRung(state, y, g, s, random);
            state.gRungs(g, s) = y;
            surface.DrawLine(x, y, x + kColumnSpacing, y, kLineColour);
        }
        x += kColumnSpacing;
    }
}

std::int16_t PlaceRung(const GameState &state, std::int16_t &y, std::int16_t g, std::int16_t s,
                       Random &random)
{
    for (;;) {
        const int q = y / kRungGrid;
        const int m = y % kRungGrid;
        y = std::int16_t(kRungGrid * q + (m >= 3 ? kRungGrid : 0));

        // The gap to the right is generated later and checks itself against
        // this one, so it is not consulted here.
        const bool clash = TakenInRow(state, g, s, y)
            || (g > 1 && TakenInRow(state, g - 1, kSlotsPerGap, y));
        if (!clash)
            return y;
        y = RawRungHeight(random);
    }
}

void ShuffleInto(GameState &state, std::int16_t n, Random &random)
{
    // Every value is drawn uniformly and a taken one drawn again: each
    // permutation is equally likely.
    for (int k = 1; k <= n; ++k) {
        std::int16_t v = 0;
        bool taken = true;
        while (taken) {
            v = std::int16_t(random.Whole(n, 1.0));
            taken = false;
            for (int i = 1; i <= n; ++i) {
                if (state.gShuffle(i) == v) {
                    taken = true;
                    break;
                }
            }
        }
        state.gShuffle(k) = v;
    }
}

std::int16_t FindNextRung(GameState &state, std::int16_t x, std::int16_t y)
{
    const int c = ColumnAt(state.gLadderLeft, x);
    std::int16_t best = kNoRungBelow;
    for (int s = 1; s <= kSlotsPerGap; ++s) {
        const std::int16_t h = state.gRungs(c, s);
        if (h > y && h < best) {
            best = h;
            state.gRungToLeft = false;
        }
    }
    if (c <= 1)
        return best;
    for (int s = 1; s <= kSlotsPerGap; ++s) {
        const std::int16_t h = state.gRungs(c - 1, s);
        if (h > y && h < best) {
            best = h;
            state.gRungToLeft = true;
        }
    }
    return best;
}
