#include "game/game_state.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/whole_number.h"
#include "support/recording_surface.h"

#include <QTest>

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void ladderLeftRoundsHalvesToEven_data();
    void ladderLeftRoundsHalvesToEven();
    void drawColumnsClearsAndDrawsEachColumn_data();
    void drawColumnsClearsAndDrawsEachColumn();
    void drawColumnsErasesEarlierRungsAndPaths();
    void countTextRoundsHalvesToEven_data();
    void countTextRoundsHalvesToEven();
    void columnOfAPoint();
};

void TestGeometry::ladderLeftRoundsHalvesToEven_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("left");
    const int expected[] = {132, 124, 118, 110, 104, 96, 90, 82, 76, 68, 62, 54, 48};
    for (int n = 0; n <= 12; ++n)
        QTest::addRow("N=%d", n) << n << expected[n];
}

void TestGeometry::ladderLeftRoundsHalvesToEven()
{
    QFETCH(int, n);
    QFETCH(int, left);
    QCOMPARE(int(geometry::LadderLeft(n)), left);
}

void TestGeometry::drawColumnsClearsAndDrawsEachColumn_data()
{
    QTest::addColumn<int>("n");
    for (int n = 0; n <= 12; ++n)
        QTest::addRow("N=%d", n) << n;
}

void TestGeometry::drawColumnsClearsAndDrawsEachColumn()
{
    QFETCH(int, n);
    GameState state;
    RecordingSurface surface;
    surface.DrawLine(1, 2, 3, 4, 5);
    DrawColumns(state, surface, std::int16_t(n));

    QCOMPARE(surface.clears, 1);
    QCOMPARE(int(state.gLadderLeft), int(geometry::LadderLeft(n)));
    QCOMPARE(surface.lines.size(), qMax(n, 0));
    for (int i = 0; i < surface.lines.size(); ++i) {
        const int x = state.gLadderLeft + 14 * i;
        QCOMPARE(surface.lines[i], (RecordingSurface::Line{x, 35, x, 127, 0, 3}));
    }
}

void TestGeometry::drawColumnsErasesEarlierRungsAndPaths()
{
    GameState state;
    RecordingSurface surface;
    DrawColumns(state, surface, 12);
    surface.DrawLine(48, 50, 62, 50, 0);
    surface.DrawLine(48, 35, 48, 40, 12);
    DrawColumns(state, surface, 2);
    QCOMPARE(surface.lines.size(), 2);
    QCOMPARE(surface.lines[0].x1, 118);
    QCOMPARE(surface.lines[1].x1, 132);
}

void TestGeometry::countTextRoundsHalvesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1000 = no value
    QTest::newRow("plain") << "7" << 7;
    QTest::newRow("blanks") << " 12 " << 12;
    QTest::newRow("half down to even") << "2.5" << 2;
    QTest::newRow("half up to even") << "3.5" << 4;
    QTest::newRow("negative half") << "-2.5" << -2;
    QTest::newRow("fraction") << "4.6" << 5;
    QTest::newRow("lone point") << "." << -1000;
    QTest::newRow("lone minus") << "-" << -1000;
    QTest::newRow("empty") << "" << -1000;
    QTest::newRow("exponent") << "1e1" << -1000;
    QTest::newRow("infinity") << "inf" << -1000;
    QTest::newRow("full-width digit") << QStringLiteral("５") << -1000;
    QTest::newRow("beyond 16 bits") << "40000" << -1000;
    QTest::newRow("letters") << "1a" << -1000;
}

void TestGeometry::countTextRoundsHalvesToEven()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const auto n = whole_number::ToInt16(text);
    if (value == -1000)
        QVERIFY(!n.has_value());
    else
        QCOMPARE(int(n.value_or(-999)), value);
}

void TestGeometry::columnOfAPoint()
{
    QCOMPARE(geometry::ColumnAt(110, 110), 1);
    QCOMPARE(geometry::ColumnAt(110, 123), 1);
    QCOMPARE(geometry::ColumnAt(110, 124), 2);
    QCOMPARE(geometry::ColumnAt(110, 138), 3);
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "test_geometry.moc"
