#include "game/game_state.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/random.h"
#include "support/recording_surface.h"

#include <QSet>
#include <QTest>

namespace {

// Generates one ladder of n columns as confirm does, from a clean state.
void Generate(GameState &state, RecordingSurface &surface, int n, Random &random)
{
    state.gMemberCount = std::int16_t(n);
    surface.Clear();
    DrawLadder(state, surface, random);
}

bool IsPermutation(const GameState &state, int n)
{
    QSet<int> seen;
    for (int i = 1; i <= n; ++i) {
        const int v = state.gShuffle(i);
        if (v < 1 || v > n || seen.contains(v))
            return false;
        seen.insert(v);
    }
    return true;
}

} // namespace

class TestLadder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void rungTableKeepsItsInvariants_data();
    void rungTableKeepsItsInvariants();
    void drawingMatchesTheRungTable();
    void placeRungSnapsToTheGrid_data();
    void placeRungSnapsToTheGrid();
    void placeRungAvoidsItsOwnGapAndTheGapToTheLeft_data();
    void placeRungAvoidsItsOwnGapAndTheGapToTheLeft();
    void placeRungIgnoresTheGapToTheRight();
    void shuffleYieldsAPermutation_data();
    void shuffleYieldsAPermutation();
    void reseedsWithinOneClockTickStillDiffer();
    void randomStaysBelowOne();
    void findNextRung_data();
    void findNextRung();
    void findNextRungKeepsTheSideWhenNothingIsBelow();
};

void TestLadder::cleanup()
{
    Random::Instance().SetClock({});
}

void TestLadder::rungTableKeepsItsInvariants_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; ++n)
        QTest::addRow("N=%d", n) << n;
}

void TestLadder::rungTableKeepsItsInvariants()
{
    QFETCH(int, n);
    GameState state;
    RecordingSurface surface;
    Random random(std::uint64_t(n) * 7919);
    QSet<int> heightsSeen;
    QSet<int> countsSeen;
    for (int round = 0; round < 300; ++round) {
        Generate(state, surface, n, random);
        QCOMPARE(state.gRungs.Rows(), n);
        QCOMPARE(state.gRungs.Columns(), 7);
        for (int g = 1; g <= n - 1; ++g) {
            int count = 0;
            QSet<int> inGap;
            for (int s = 1; s <= 7; ++s) {
                const int h = state.gRungs(g, s);
                if (h == 0) {
                    // Filled slots come first: nothing after the first gap.
                    for (int t = s; t <= 7; ++t)
                        QCOMPARE(int(state.gRungs(g, t)), 0);
                    break;
                }
                ++count;
                QVERIFY2(h >= 40 && h <= 115 && h % 5 == 0, qPrintable(QString::number(h)));
                QVERIFY2(!inGap.contains(h), "repeated height within a gap");
                inGap.insert(h);
                heightsSeen.insert(h);
                if (g > 1) {
                    for (int j = 1; j <= 7; ++j)
                        QVERIFY2(state.gRungs(g - 1, j) != h, "shared height with the gap to the left");
                }
            }
            QVERIFY2(count >= 4 && count <= 7, qPrintable(QString::number(count)));
            countsSeen.insert(count);
        }
        for (int s = 1; s <= 7; ++s)
            QCOMPARE(int(state.gRungs(n, s)), 0);
    }
    // Over hundreds of ladders every grid height turns up, 40 included, and
    // every number of rungs a gap may have.
    QCOMPARE(heightsSeen.size(), 16);
    QCOMPARE(countsSeen, (QSet<int>{4, 5, 6, 7}));
}

void TestLadder::drawingMatchesTheRungTable()
{
    GameState state;
    RecordingSurface surface;
    Random random(11);
    for (int n = 2; n <= 12; ++n) {
        Generate(state, surface, n, random);
        const int left = geometry::LadderLeft(n);
        QCOMPARE(int(state.gLadderLeft), left);
        QList<RecordingSurface::Line> expected;
        for (int i = 1; i <= n; ++i) {
            const int x = left + 14 * (i - 1);
            expected.append({x, 35, x, 127, 0, 3});
        }
        for (int g = 1; g <= n - 1; ++g) {
            const int x = left + 14 * (g - 1);
            for (int s = 1; s <= 7 && state.gRungs(g, s) != 0; ++s) {
                const int y = state.gRungs(g, s);
                expected.append({x, y, x + 14, y, 0, 3});
            }
        }
        QCOMPARE(surface.lines, expected);
    }
}

void TestLadder::placeRungSnapsToTheGrid_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("placed");
    QTest::newRow("40 stays") << 40 << 40;
    QTest::newRow("42 rounds down") << 42 << 40;
    QTest::newRow("43 rounds up") << 43 << 45;
    QTest::newRow("44 rounds up") << 44 << 45;
    QTest::newRow("47 rounds down") << 47 << 45;
    QTest::newRow("48 rounds up") << 48 << 50;
    QTest::newRow("112 rounds down") << 112 << 110;
    QTest::newRow("117 rounds down") << 117 << 115;
}

void TestLadder::placeRungSnapsToTheGrid()
{
    QFETCH(int, raw);
    QFETCH(int, placed);
    GameState state;
    state.gRungs.Recreate(3, 7);
    std::int16_t y = std::int16_t(raw);
    Random random(1);
    QCOMPARE(int(PlaceRung(state, y, 2, 1, random)), placed);
    QCOMPARE(int(y), placed);
}

void TestLadder::placeRungAvoidsItsOwnGapAndTheGapToTheLeft_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("raw");
    QTest::newRow("earlier rung of its own gap") << 1 << 1 << 1 << 50;
    QTest::newRow("raw value that snaps onto it") << 1 << 1 << 1 << 52;
    QTest::newRow("any slot of the gap to the left") << 2 << 1 << 7 << 60;
}

void TestLadder::placeRungAvoidsItsOwnGapAndTheGapToTheLeft()
{
    QFETCH(int, gap);
    QFETCH(int, row);
    QFETCH(int, slot);
    QFETCH(int, raw);
    GameState state;
    state.gRungs.Recreate(3, 7);
    const int taken = (raw + 2) / 5 * 5;
    state.gRungs(row, slot) = std::int16_t(taken);
    Random random(5);
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::int16_t y = std::int16_t(raw);
        const int placed = PlaceRung(state, y, std::int16_t(gap), 2, random);
        QVERIFY(placed != taken);
        QVERIFY(placed >= 40 && placed <= 115 && placed % 5 == 0);
    }
}

void TestLadder::placeRungIgnoresTheGapToTheRight()
{
    GameState state;
    state.gRungs.Recreate(3, 7);
    state.gRungs(2, 1) = 70;
    std::int16_t y = 70;
    Random random(3);
    QCOMPARE(int(PlaceRung(state, y, 1, 1, random)), 70);
}

void TestLadder::shuffleYieldsAPermutation_data()
{
    QTest::addColumn<int>("n");
    for (int n : {1, 2, 3, 7, 12})
        QTest::addRow("N=%d", n) << n;
}

void TestLadder::shuffleYieldsAPermutation()
{
    QFETCH(int, n);
    GameState state;
    Random random{std::uint64_t(n)};
    for (int round = 0; round < 200; ++round) {
        state.gShuffle.Recreate(n);
        ShuffleInto(state, std::int16_t(n), random);
        QVERIFY(IsPermutation(state, n));
    }
}

void TestLadder::reseedsWithinOneClockTickStillDiffer()
{
    Random::Instance().SetClock([] { return std::uint64_t(123456789); });
    QSet<float> draws;
    for (int i = 0; i < 100; ++i) {
        Random::Instance().Reseed();
        draws.insert(Random::Instance().Next());
    }
    QVERIFY(draws.size() > 95);
}

void TestLadder::randomStaysBelowOne()
{
    Random generator;
    for (int i = 0; i < 100000; ++i) {
        const float r = generator.Next();
        QVERIFY(r >= 0.0f && r < 1.0f);
    }
}

void TestLadder::findNextRung_data()
{
    // N = 3 at x 110, 124, 138: gap 1 has rungs at 50 and 90, gap 2 at 70.
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("found");
    QTest::addColumn<bool>("toLeft");
    QTest::newRow("column 1 from the top") << 110 << 35 << 50 << false;
    QTest::newRow("column 1 below 50") << 110 << 50 << 90 << false;
    QTest::newRow("column 1 below 90") << 110 << 90 << 123 << false;
    QTest::newRow("column 2 from the top") << 124 << 35 << 50 << true;
    QTest::newRow("column 2 below 50 takes the nearer right") << 124 << 50 << 70 << false;
    QTest::newRow("column 2 below 70") << 124 << 70 << 90 << true;
    QTest::newRow("column 3 from the top") << 138 << 35 << 70 << true;
    QTest::newRow("column 3, row N is empty") << 138 << 70 << 123 << true;
    QTest::newRow("strictly below: the rung at y is skipped") << 124 << 90 << 123 << false;
}

void TestLadder::findNextRung()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, found);
    QFETCH(bool, toLeft);
    GameState state;
    state.gLadderLeft = 110;
    state.gRungs.Recreate(3, 7);
    state.gRungs(1, 1) = 50;
    state.gRungs(1, 2) = 90;
    state.gRungs(2, 1) = 70;
    state.gRungToLeft = toLeft;
    QCOMPARE(int(FindNextRung(state, std::int16_t(x), std::int16_t(y))), found);
    QCOMPARE(state.gRungToLeft, toLeft);
}

void TestLadder::findNextRungKeepsTheSideWhenNothingIsBelow()
{
    GameState state;
    state.gLadderLeft = 118;
    state.gRungs.Recreate(2, 7);
    state.gRungs(1, 1) = 60;
    for (bool side : {false, true}) {
        state.gRungToLeft = side;
        QCOMPARE(int(FindNextRung(state, 118, 60)), 123);
        QCOMPARE(state.gRungToLeft, side);
    }
}

QTEST_APPLESS_MAIN(TestLadder)
#include "test_ladder.moc"
