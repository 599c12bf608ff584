#include "game/game_state.h"
#include "game/geometry.h"
#include "game/random.h"
#include "game/round.h"
#include "support/recording_surface.h"

#include <QScopeGuard>
#include <QSet>
#include <QTest>

// Confirm and Reset as rules: the phase, the per-round arrays, the pictures
// and prizes dealt, and what is drawn.
class TestRound : public QObject
{
    Q_OBJECT

private slots:
    void confirmDealsAFreshRound_data();
    void confirmDealsAFreshRound();
    void resetRemovesTheLadderOnce();
};

void TestRound::confirmDealsAFreshRound_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("prizes");
    QTest::newRow("empty list numbers") << 3 << QStringList() << QStringList{"1", "2", "3"};
    QTest::newRow("empty first entry numbers") << 2 << QStringList{"", "x"} << QStringList{"1", "2"};
    QTest::newRow("short list leaves blanks") << 3 << QStringList{"꽝", "500"}
                                              << QStringList{"꽝", "500", ""};
    QTest::newRow("twelve") << 12 << QStringList{"a"}
                            << (QStringList{"a"} << QStringList(11, QString()));
}

void TestRound::confirmDealsAFreshRound()
{
    QFETCH(int, n);
    QFETCH(QStringList, list);
    QFETCH(QStringList, prizes);
    GameState state;
    state.mStartedCount = 5;
    RecordingSurface surface;
    const std::vector<std::int16_t> pictures = ConfirmLadder(state, surface, std::int16_t(n), list);

    QVERIFY(state.gPhase == GamePhase::Confirmed);
    QVERIFY(!state.gLadderCleared);
    QCOMPARE(int(state.gMemberCount), n);
    QCOMPARE(int(state.mStartedCount), 0);
    QCOMPARE(int(state.mNextPlayer), 1);
    QCOMPARE(state.gStarted.Count(), n);
    QCOMPARE(state.gResults.Count(), n);
    QStringList dealt;
    for (int i = 1; i <= n; ++i)
        dealt << state.gPrizes(i);
    QCOMPARE(dealt, prizes);

    QSet<int> distinct(pictures.begin(), pictures.end());
    QCOMPARE(int(pictures.size()), n);
    QCOMPARE(distinct.size(), n);
    QSet<int> columns;
    for (int i = 1; i <= n; ++i) {
        QVERIFY(pictures[std::size_t(i - 1)] >= 1 && pictures[std::size_t(i - 1)] <= 12);
        columns.insert(state.gShuffle(i));
    }
    QCOMPARE(columns.size(), n);
    QVERIFY(*std::max_element(columns.begin(), columns.end()) == n);
    QCOMPARE(state.gRungs.Rows(), n);
    QVERIFY(surface.lines.size() > n);

    // Round after round, however few play, the animals come from all
    // twelve: a fixed generator and a frozen clock make the rounds the same
    // on every run.
    Random &random = Random::Instance();
    const auto realClock = qScopeGuard([&random] { random.SetClock({}); });
    random.Seed(0x5eed);
    random.SetClock([] { return std::uint64_t(1); });
    QSet<int> animals;
    for (int round = 0; round < 40; ++round)
        for (std::int16_t picture : ConfirmLadder(state, surface, std::int16_t(n), list))
            animals.insert(picture);
    QCOMPARE(animals.size(), 12);
}

void TestRound::resetRemovesTheLadderOnce()
{
    GameState state;
    RecordingSurface surface;
    ConfirmLadder(state, surface, 4, {});
    QVERIFY(ResetLadder(state, surface, 5));
    QVERIFY(state.gPhase == GamePhase::Setup);
    QVERIFY(state.gLadderCleared);
    QCOMPARE(surface.lines.size(), 5); // the empty columns of the count now set
    const int clears = surface.clears;
    QVERIFY(!ResetLadder(state, surface, 6));
    QCOMPARE(surface.clears, clears);
    QCOMPARE(surface.lines.size(), 5);
}

QTEST_GUILESS_MAIN(TestRound)
#include "test_round.moc"
