#pragma once

#include "app/round_keeper.h"
#include "extras/history_window.h"
#include "platform/outcome.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>

class Board;
class DialogZoom;
class ImageList;
class QWidget;
class SheetSource;
struct GameState;
struct RoundRecord;
struct Services;

// A round to be played again: the count, the prize list, the seed, and
// the names to put in the name boxes.
struct ReplayPlan
{
    std::int16_t players = 0;
    QStringList prizes; // empty: the prizes are numbered 1..N
    std::uint64_t seed = 0;
    QStringList names;  // empty: "(이름)" stays
    QString number;
};

// The history of rounds as the game uses it. It records each round as it
// ends (RoundKeeper), opens the "지난 게임" window over the game and does
// what is asked there: a round's sheet printed or saved again, rounds
// exported as CSV, a round played again. It also plays a round again from
// a game number typed off a sheet. Without a history store it does nothing.
class RoundHistory : public QObject
{
    Q_OBJECT

public:
    // Plays a round again in the window; false when the game cannot start
    // a round now (a pen is on its way).
    using Replay = std::function<bool(const ReplayPlan &plan)>;

    RoundHistory(QWidget *window, const GameState &state, const Board &board,
                 const ImageList &images, const Services &services, const DialogZoom &zoom,
                 Replay replay);

    // What happens to the round on the board.
    void Began(bool replay);
    void PathEnded();
    void Left();
    void Printed(const Outcome &outcome);
    void Saved();

    void ShowWindow();
    void ReplayFromNumber();

    HistoryWindow *Window() const { return window_; }

private:
    void Recorded();
    void Reprint(qint64 id);
    void SaveSheet(qint64 id);
    void Export(const QList<qint64> &ids);
    void ReplayRecord(qint64 id);
    void Play(const ReplayPlan &plan);
    // A recorded round set up again off the board, to print or save.
    Outcome WithSheet(qint64 id, bool reprint,
                      const std::function<Outcome(GameState &, const SheetSource &)> &use);

    QWidget *parent_;
    const Board &board_;
    const ImageList &images_;
    const Services &services_;
    const DialogZoom &zoom_;
    Replay replay_;
    RoundKeeper keeper_;
    QPointer<HistoryWindow> window_;
};
