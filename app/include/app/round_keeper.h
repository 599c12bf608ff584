#pragma once

#include <QDateTime>
#include <QStringList>

#include <functional>

class HistoryStore;
struct GameState;

// Puts each round into the history when it ends: once every pen has
// arrived (finished), or when a round in which at least one player ran is
// abandoned by Reset, a new ladder or quitting (unfinished). A round is
// recorded once; whether its sheet was printed or saved is added to its
// record, before or after it ends. Replayed rounds are not recorded again.
class RoundKeeper
{
public:
    using Names = std::function<QStringList()>;
    using Notice = std::function<void(const QString &text)>;

    // `names` reads the name boxes; `notice` tells the user what the store
    // must say (a damaged history set aside), once. Without a store the
    // keeper does nothing.
    RoundKeeper(const GameState &state, HistoryStore *store, Names names, Notice notice,
                std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // A new round was confirmed; `replay` when it plays a recorded round
    // or a number again.
    void Began(bool replay);
    // A pen reached its prize.
    void PathEnded();
    // The round is left before it finished: a new ladder, Reset, quitting.
    void Abandon();
    void Printed();
    void Saved();

    // The id of the round's record; 0 until it is recorded.
    qint64 RecordId() const { return id_; }
    bool Replay() const { return replay_; }

private:
    void Record(bool finished);

    const GameState &state_;
    HistoryStore *store_;
    Names names_;
    Notice notice_;
    std::function<QDateTime()> now_;
    bool active_ = false; // a round is confirmed and not yet recorded
    bool replay_ = false;
    bool printed_ = false;
    bool saved_ = false;
    qint64 id_ = 0;
};
