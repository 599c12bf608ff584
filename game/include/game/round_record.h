#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

struct GameState;

// A round as the history keeps it: enough to show it, reprint its sheet,
// export it and play it again.
struct RoundRecord
{
    struct Player
    {
        QString name;   // as the name box showed it
        QString prize;  // gPrizes(i): the i-th prize of the list
        QString result; // what player i reached; empty if the pen never arrived
        bool operator==(const Player &) const = default;
    };

    qint64 id = 0;        // the store's key; 0 until stored
    QDateTime playedAt;   // when the round ended
    std::uint64_t seed = 0;
    QList<Player> players; // 1..N in order
    std::int32_t total = 0; // the numeric results summed as the sheet sums them
    bool finished = false;  // every player's run reached its prize
    bool printed = false;   // a sheet went to a printer or its PDF stand-in
    bool saved = false;     // the sheet or the picture was saved as a file

    int Count() const { return int(players.size()); }
    // game_number::Encode(seed, Count()).
    QString Number() const;
    bool operator==(const RoundRecord &) const = default;
};

// The record of the round `state` holds now, with `names` for its name
// boxes; `total` is the sum of the amounts among the results, `finished`
// whether every player's pen has arrived.
RoundRecord RecordOf(const GameState &state, const QList<QString> &names, std::int32_t total,
                     bool finished, const QDateTime &playedAt);
