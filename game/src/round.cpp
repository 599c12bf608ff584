#include "game/round.h"

#include "game/drawing_surface.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/game_number.h"
#include "game/ladder.h"
#include "game/random.h"

#include <QRandomGenerator>

std::vector<std::int16_t> ConfirmLadder(GameState &state, DrawingSurface &surface, std::int16_t n,
                                        const QStringList &prizeList, std::uint64_t seed)
{
    Random random(seed);
    state.gSeed = seed;
    state.gPhase = GamePhase::Confirmed;
    state.mNextPlayer = 1;
    surface.Clear();
    state.gLadderCleared = false;

    state.gMemberCount = n;
    state.gPrizes.Recreate(n);
    state.gStarted.Recreate(n);
    state.gResults.Recreate(n);
    state.mStartedCount = 0;
    state.mArrivedCount = 0;

    // Every picture is dealt out of all twelve, so a small game still shows
    // any of them.
    state.gShuffle.Recreate(geometry::kMostPlayers);
    ShuffleInto(state, geometry::kMostPlayers, random);
    std::vector<std::int16_t> pictures;
    const bool numbered = prizeList.isEmpty() || prizeList.first().isEmpty();
    for (int i = 1; i <= n; ++i) {
        pictures.push_back(state.gShuffle(i));
        state.gPrizes(i) = numbered ? QString::number(i) : prizeList.value(i - 1);
    }

    state.gShuffle.Recreate(n);
    ShuffleInto(state, n, random);
    DrawLadder(state, surface, random);
    return pictures;
}

std::uint64_t NewRoundSeed()
{
    return QRandomGenerator::system()->generate64() & (game_number::kSeedLimit - 1);
}

bool ResetLadder(GameState &state, DrawingSurface &surface, std::int16_t n)
{
    state.gPhase = GamePhase::Setup;
    if (state.gLadderCleared)
        return false;
    DrawColumns(state, surface, n);
    state.gLadderCleared = true;
    return true;
}
