#include "app/round_keeper.h"
#include "game/game_state.h"
#include "game/round.h"
#include "platform/history_store.h"
#include "support/recording_surface.h"

#include <QTemporaryDir>
#include <QTest>

// Which rounds reach the history, and with what.
class TestRoundKeeper : public QObject
{
    Q_OBJECT

private slots:
    void recordsEachRoundOnceWhenItEnds_data();
    void recordsEachRoundOnceWhenItEnds();
};

void TestRoundKeeper::recordsEachRoundOnceWhenItEnds_data()
{
    QTest::addColumn<bool>("replay");
    // What happens, in order: s = a player starts, a = a pen arrives,
    // p = the sheet is printed, v = it is saved, x = the round is left
    // (new ladder, Reset or quitting).
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("printed");
    QTest::newRow("all three arrive") << false << "sasasax" << 1 << true << false;
    QTest::newRow("printed before the last pen arrives") << false << "sasasp" "a" << 1 << true << true;
    QTest::newRow("printed afterwards") << false << "sasasapx" << 1 << true << true;
    QTest::newRow("left after one ran") << false << "sax" << 1 << false << false;
    QTest::newRow("left while a pen runs") << false << "sasx" << 1 << false << false;
    QTest::newRow("left before anybody ran") << false << "x" << 0 << false << false;
    QTest::newRow("a replay is not recorded again") << true << "sasasapx" << 0 << false << false;
}

void TestRoundKeeper::recordsEachRoundOnceWhenItEnds()
{
    QFETCH(bool, replay);
    QFETCH(QString, events);
    QFETCH(int, records);
    QFETCH(bool, finished);
    QFETCH(bool, printed);
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(QStringLiteral("h.sqlite")));
    GameState state;
    RecordingSurface surface;
    ConfirmLadder(state, surface, 3, {QStringLiteral("1000"), QStringLiteral("꽝"), QStringLiteral("-300")}, 9);
    QStringList notices;
    RoundKeeper keeper(state, &store, [] { return QStringList{"가", "나", "다"}; },
                       [&](const QString &text) { notices << text; });
    keeper.Began(replay);
    for (QChar e : events) {
        if (e == u's') {
            ++state.mStartedCount;
        } else if (e == u'a') {
            const int player = ++state.mArrivedCount;
            state.gResults(player) = state.gPrizes(player);
            keeper.PathEnded();
        } else if (e == u'p') {
            keeper.Printed();
        } else if (e == u'v') {
            keeper.Saved();
        } else {
            keeper.Abandon();
        }
    }
    const QList<HistoryStore::Summary> rounds = store.Rounds();
    QCOMPARE(rounds.size(), records);
    QCOMPARE(notices, QStringList());
    if (records == 0)
        return;
    QCOMPARE(rounds[0].id, keeper.RecordId());
    QCOMPARE(rounds[0].finished, finished);
    QCOMPARE(rounds[0].printed, printed);
    QCOMPARE(rounds[0].names, QStringLiteral("가, 나, 다"));
    const std::optional<RoundRecord> record = store.Round(keeper.RecordId());
    QCOMPARE(record->seed, std::uint64_t(9));
    QCOMPARE(record->total, finished ? 700 : 1000);
}

QTEST_GUILESS_MAIN(TestRoundKeeper)
#include "test_round_keeper.moc"
