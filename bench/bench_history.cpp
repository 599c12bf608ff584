// The history of rounds: recording one round, committed to disk, and
// opening the "지난 게임" window over ten thousand of them (target: under
// 100 ms). Fails when the window takes longer.
#include "figure.h"

#include "extras/history_window.h"
#include "platform/history_store.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 10000;
constexpr double kWindowTargetMs = 100;

RoundRecord Twelve(std::uint64_t seed)
{
    RoundRecord r;
    r.playedAt = QDateTime::currentDateTime().addSecs(-qint64(seed) * 600);
    r.seed = seed;
    for (int i = 1; i <= 12; ++i)
        r.players.append({QStringLiteral("참가자%1").arg(i), QString::number(i * 1000),
                          QString::number(i * 1000)});
    r.total = 78000;
    r.finished = true;
    return r;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Copies the rows of the first round kRounds - 1 times in one transaction:
// a history of years, made in a second rather than one commit at a time.
void FillHistory(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("BEGIN"));
    for (int i = 1; i < kRounds; ++i) {
        q.exec(QStringLiteral("INSERT INTO rounds (played_ms, number, seed, players, names, total, finished)"
                              " SELECT played_ms - %1, number, seed + %2, players, names, total, finished"
                              " FROM rounds WHERE id = 1").arg(qint64(i) * 600000).arg(i));
        q.exec(QStringLiteral("INSERT INTO players SELECT last_insert_rowid(), position, name, prize, result"
                              " FROM players WHERE round_id = 1"));
    }
    q.exec(QStringLiteral("COMMIT"));
    db.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));

    std::vector<double> adds;
    {
        HistoryStore store(path);
        store.Add(Twelve(1)); // opens and makes the database
        for (int i = 0; i < 50; ++i) {
            QElapsedTimer t;
            t.start();
            store.Add(Twelve(std::uint64_t(2 + i)));
            adds.push_back(t.nsecsElapsed() / 1e6);
        }
    }
    const double add = Median(adds);
    std::printf("recording a round of 12 (median of 50): %.2f ms\n", add);
    Figure("recording a round of 12, committed to disk (median of 50)", "%.1f ms", add);

    FillHistory(path);
    std::vector<double> opens;
    for (int round = 0; round < 7; ++round) {
        QElapsedTimer t;
        t.start();
        HistoryStore store(path);
        HistoryWindow window(store, [](const QString &) { return false; });
        window.show();
        QCoreApplication::processEvents();
        opens.push_back(t.nsecsElapsed() / 1e6);
        if (window.Rounds()->model()->rowCount() < kRounds) {
            std::fprintf(stderr, "bench_history: the window lists %d rounds, not %d\n",
                         window.Rounds()->model()->rowCount(), kRounds);
            return 1;
        }
    }
    const double open = Median(opens);
    std::printf("history window over %d rounds, opened and painted (median of 7): %.1f ms\n", kRounds, open);
    Figure("the history window opened over 10,000 rounds (median of 7)", "%.0f ms", open);
    if (open > kWindowTargetMs) {
        std::fprintf(stderr, "bench_history: %.1f ms is over the %.0f ms target\n", open, kWindowTargetMs);
        return 1;
    }
    return 0;
}
