#include "game/descent.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/random.h"
#include "support/recording_descent_view.h"
#include "support/recording_surface.h"

#include <QSet>
#include <QTest>

namespace {

// A confirmed ladder without the window: arrays sized for n, identity
// shuffle unless given, prizes "P1".."Pn".
struct Round
{
    GameState state;
    RecordingDescentView view;
    RecordingSurface surface;
    Descent descent{state, view, surface};

    explicit Round(int n, bool manual = true)
    {
        state.gMemberCount = std::int16_t(n);
        state.gManualStart = manual;
        state.gLadderLeft = geometry::LadderLeft(n);
        state.gPrizes.Recreate(n);
        state.gShuffle.Recreate(n);
        state.gStarted.Recreate(n);
        state.gResults.Recreate(n);
        state.gRungs.Recreate(n, 7);
        state.mNextPlayer = 1;
        for (int i = 1; i <= n; ++i) {
            state.gPrizes(i) = QStringLiteral("P%1").arg(i);
            state.gShuffle(i) = std::int16_t(i);
            view.names[i] = QStringLiteral("(이름)");
        }
    }
    // Runs ticks until the timer stops; returns how many ran.
    int RunToEnd(int limit = 10000)
    {
        int ticks = 0;
        while (view.timer && ticks < limit) {
            descent.DescentStep();
            ++ticks;
        }
        return ticks;
    }
};

// The worked example: N = 3, rungs at 50 and 90 in gap 1, 70 in gap 2.
void FillExample(GameState &state)
{
    state.gRungs(1, 1) = 50;
    state.gRungs(1, 2) = 90;
    state.gRungs(2, 1) = 70;
}

int RungsCrossed(const RecordingSurface &surface)
{
    // Each crossing is seven horizontal 2 mm coloured segments.
    int across = 0;
    for (const auto &l : surface.lines) {
        if (l.width == 3 && l.y1 == l.y2)
            ++across;
    }
    return across / 7;
}

} // namespace

class TestDescent : public QObject
{
    Q_OBJECT

private slots:
    void workedExample_data();
    void workedExample();
    void shortPathDrawsExactSegmentsWithShadows();
    void pathCrossingThreeRungsTakes39Ticks();
    void everyGeneratedLadderIsAPermutation_data();
    void everyGeneratedLadderIsAPermutation();
    void manualModeReenablesEveryStartButton();
    void playerRunTwiceCountsOnceAndRevealsTheSamePrize();
    void automaticModeRunsEveryPlayerInTurn();
    void pauseKeepsTheDescentAndResumesWhereItStopped();
    void startFillsOnlyPlaceholderNames_data();
    void startFillsOnlyPlaceholderNames();
    void playerColours_data();
    void playerColours();
};

void TestDescent::workedExample_data()
{
    QTest::addColumn<int>("player");
    QTest::addColumn<int>("endColumn");
    QTest::newRow("player 1") << 1 << 3;
    QTest::newRow("player 2") << 2 << 2;
    QTest::newRow("player 3") << 3 << 1;
}

void TestDescent::workedExample()
{
    QFETCH(int, player);
    QFETCH(int, endColumn);
    Round r(3);
    FillExample(r.state);
    r.descent.StartDescent(std::int16_t(player));
    QCOMPARE(r.RunToEnd(), 32);
    QCOMPARE(r.view.prizes.value(endColumn), QStringLiteral("P%1").arg(endColumn));
    QCOMPARE(r.state.gResults(player), QStringLiteral("P%1").arg(endColumn));
    QCOMPARE(r.view.parkedAt.value(player), 110 + 14 * (endColumn - 1));
    QCOMPARE(r.view.prizeColour.value(endColumn), Descent::PlayerColour(player));
    QVERIFY(!r.view.keyPreview);
    QVERIFY(r.view.confirmResetEnabled);
    // Every coloured path ends at y = 125.
    QCOMPARE(r.surface.lines.last().y2, 126);
}

void TestDescent::shortPathDrawsExactSegmentsWithShadows()
{
    // Player 2 of the example: down to 50, left to 110, down to 125.
    Round r(3);
    FillExample(r.state);
    r.descent.StartDescent(2);
    const int colour = Descent::PlayerColour(2);
    using L = RecordingSurface::Line;
    // Down column 2 to the left rung at 50, across to column 1, down to
    // the right rung at 90, back across to column 2, down to the end.
    QList<L> expected;
    for (int y = 35; y < 50; y += 5)
        expected << L{124, y, 124, y + 5, colour, 3} << L{125, y + 1, 125, y + 6, 0, 2};
    for (int x = 124; x > 110; x -= 2)
        expected << L{x, 50, x - 2, 50, colour, 3} << L{x, 51, x - 2, 51, 0, 2};
    for (int y = 50; y < 90; y += 5)
        expected << L{110, y, 110, y + 5, colour, 3} << L{111, y + 1, 111, y + 6, 0, 2};
    for (int x = 110; x < 124; x += 2)
        expected << L{x, 90, x + 2, 90, colour, 3} << L{x + 1, 91, x + 3, 91, 0, 2};
    for (int y = 90; y < 125; y += 5)
        expected << L{124, y, 124, y + 5, colour, 3} << L{125, y + 1, 125, y + 6, 0, 2};

    int ticks = 0;
    while (r.view.timer) {
        const int before = r.surface.lines.size();
        r.descent.DescentStep();
        ++ticks;
        // One segment and its shadow per tick, never a tick on a turn alone.
        QCOMPARE(r.surface.lines.size(), before + 2);
        // The pen moves with the path: its lower-left corner on the new end.
        const L &seg = r.surface.lines[before];
        QCOMPARE(r.view.penCorner.value(2), QPoint(seg.x2, seg.y2));
    }
    QCOMPARE(ticks, 32);
    QCOMPARE(r.surface.lines, expected);
    QCOMPARE(r.view.prizes.value(2), QStringLiteral("P2"));
}

void TestDescent::pathCrossingThreeRungsTakes39Ticks()
{
    Round r(2);
    r.state.gRungs(1, 1) = 50;
    r.state.gRungs(1, 2) = 70;
    r.state.gRungs(1, 3) = 90;
    r.descent.StartDescent(1);
    QCOMPARE(r.RunToEnd(), 18 + 7 * 3);
    QCOMPARE(RungsCrossed(r.surface), 3);
    QCOMPARE(r.view.prizes.value(2), QStringLiteral("P2"));
}

void TestDescent::everyGeneratedLadderIsAPermutation_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; ++n)
        QTest::addRow("N=%d", n) << n;
}

void TestDescent::everyGeneratedLadderIsAPermutation()
{
    QFETCH(int, n);
    for (int round = 0; round < 20; ++round) {
        Round r(n);
        Random random(std::uint64_t(round * 100 + n));
        r.state.gShuffle.Recreate(n);
        ShuffleInto(r.state, std::int16_t(n), random);
        DrawLadder(r.state, r.surface, random);
        QSet<int> ends;
        for (int player = 1; player <= n; ++player) {
            r.surface.Clear();
            r.view.prizes.clear();
            r.descent.StartDescent(std::int16_t(player));
            const int ticks = r.RunToEnd();
            QCOMPARE(r.view.prizes.size(), 1);
            const int c = r.view.prizes.firstKey();
            ends.insert(c);
            QCOMPARE(ticks, 18 + 7 * RungsCrossed(r.surface));
            QCOMPARE(r.view.prizes.value(c), r.state.gPrizes(r.state.gShuffle(c)));
            QCOMPARE(int(r.state.mArrivedCount), player);
            QCOMPARE(r.state.gResults(player), r.view.prizes.value(c));
        }
        QCOMPARE(ends.size(), n);
    }
}

void TestDescent::manualModeReenablesEveryStartButton()
{
    Round r(3);
    FillExample(r.state);
    for (int i = 1; i <= 3; ++i)
        r.view.startEnabled[i] = true;
    r.descent.StartDescent(2);
    r.descent.DescentStep();
    QVERIFY(!r.view.confirmResetEnabled);
    QVERIFY(r.view.keyPreview);
    for (int i = 1; i <= 3; ++i)
        QVERIFY(!r.view.startEnabled.value(i));
    r.RunToEnd();
    for (int i = 1; i <= 3; ++i)
        QVERIFY(r.view.startEnabled.value(i));
    QVERIFY(!r.view.timer);
}

void TestDescent::playerRunTwiceCountsOnceAndRevealsTheSamePrize()
{
    Round r(3);
    FillExample(r.state);
    r.descent.StartDescent(1);
    r.RunToEnd();
    const QString first = r.state.gResults(1);
    r.descent.StartDescent(1);
    r.RunToEnd();
    QCOMPARE(r.state.mStartedCount, std::int16_t(1));
    QCOMPARE(r.state.gResults(1), first);
    r.descent.StartDescent(3);
    QCOMPARE(r.state.mStartedCount, std::int16_t(2));
}

void TestDescent::automaticModeRunsEveryPlayerInTurn()
{
    Round r(3, false);
    FillExample(r.state);
    r.descent.StartDescent(1);
    const int ticks = r.RunToEnd();
    QCOMPARE(ticks, 3 * 32);
    QCOMPARE(r.state.mStartedCount, std::int16_t(3));
    QCOMPARE(r.state.mNextPlayer, std::int16_t(1));
    QCOMPARE(r.state.gResults(1), QStringLiteral("P3"));
    QCOMPARE(r.state.gResults(2), QStringLiteral("P2"));
    QCOMPARE(r.state.gResults(3), QStringLiteral("P1"));
    QVERIFY(r.view.startEnabled.value(1));
    QVERIFY(!r.view.startEnabled.value(2));
    QVERIFY(!r.view.startEnabled.value(3));
    QVERIFY(r.view.confirmResetEnabled);
    QCOMPARE(r.view.names.value(3), QStringLiteral("3"));
}

void TestDescent::pauseKeepsTheDescentAndResumesWhereItStopped()
{
    Round r(3);
    FillExample(r.state);
    r.descent.StartDescent(1);
    for (int i = 0; i < 5; ++i)
        r.descent.DescentStep();
    const int drawn = r.surface.lines.size();
    const GameState before = r.state;

    r.descent.TogglePause();
    QVERIFY(!r.view.timer);
    QVERIFY(r.view.confirmResetEnabled);
    QCOMPARE(r.surface.lines.size(), drawn);
    QCOMPARE(r.state.mCrossX, before.mCrossX);
    QCOMPARE(r.state.mDownY, before.mDownY);

    r.descent.TogglePause();
    QVERIFY(r.view.timer);
    QCOMPARE(r.surface.lines.size(), drawn);
    QCOMPARE(r.RunToEnd(), 32 - 5);
    QCOMPARE(r.state.gResults(1), QStringLiteral("P3"));
}

void TestDescent::startFillsOnlyPlaceholderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("after");
    QTest::newRow("placeholder") << QStringLiteral("(이름)") << "2";
    QTest::newRow("empty") << "" << "2";
    QTest::newRow("typed name") << QStringLiteral("철수") << QStringLiteral("철수");
    QTest::newRow("blank is a name") << " " << " ";
}

void TestDescent::startFillsOnlyPlaceholderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, after);
    Round r(3);
    FillExample(r.state);
    r.view.names[2] = name;
    r.descent.StartDescent(2);
    QCOMPARE(r.view.names.value(2), after);
    QCOMPARE(r.view.nameColour.value(2), Descent::PlayerColour(2));
}

void TestDescent::playerColours_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("colour");
    const int colours[] = {9, 10, 11, 12, 13, 14, 15, 2, 3, 4, 5, 6};
    for (int v = 1; v <= 12; ++v)
        QTest::addRow("v=%d", v) << v << colours[v - 1];
}

void TestDescent::playerColours()
{
    QFETCH(int, v);
    QFETCH(int, colour);
    QCOMPARE(Descent::PlayerColour(v), colour);
}

QTEST_APPLESS_MAIN(TestDescent)
#include "test_descent.moc"
