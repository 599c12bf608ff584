#include "game/round_record.h"

#include "game/game_number.h"
#include "game/game_state.h"

QString RoundRecord::Number() const
{
    return game_number::Encode(seed, Count());
}

RoundRecord RecordOf(const GameState &state, const QList<QString> &names, std::int32_t total,
                     bool finished, const QDateTime &playedAt)
{
    RoundRecord record;
    record.playedAt = playedAt;
    record.seed = state.gSeed;
    record.total = total;
    record.finished = finished;
    const int n = state.gMemberCount;
    for (int i = 1; i <= n; ++i) {
        RoundRecord::Player player;
        player.name = names.value(i - 1);
        player.prize = state.gPrizes.Has(i) ? state.gPrizes(i) : QString();
        player.result = state.gResults.Has(i) ? state.gResults(i) : QString();
        record.players.append(player);
    }
    return record;
}
