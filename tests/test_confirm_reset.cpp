#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/picture_button.h"
#include "widgets/units.h"
#include "game/geometry.h"
#include "support/window_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QTest>

namespace {

double CentreMm(const QWidget *w)
{
    return units::PxToMm(w->geometry().x() + w->width() / 2.0);
}

double BottomMm(const QWidget *w)
{
    return units::PxToMm(w->geometry().y() + w->height());
}

double TopMm(const QWidget *w)
{
    return units::PxToMm(w->geometry().y());
}

struct SetupFaces
{
    int up, down, add, del, clear, auto_, manual;
};

SetupFaces Faces(MainWindow &w)
{
    const Controls &ui = w.Ui();
    return {ui.picUpdown0->Face(), ui.picUpdown1->Face(), ui.picAdd->Face(),   ui.picDel->Face(),
            ui.picClear->Face(),   ui.picStart0->Face(),  ui.picStart1->Face()};
}

bool SetupEnabled(MainWindow &w)
{
    const Controls &ui = w.Ui();
    const QList<QWidget *> controls = {ui.picUpdown0, ui.picUpdown1, ui.txtMember, ui.txtInput,
                                       ui.picAdd,     ui.lstBul,     ui.picDel,    ui.picClear,
                                       ui.picStart0,  ui.picStart1};
    const bool first = controls.first()->isEnabled();
    for (QWidget *c : controls)
        Q_ASSERT(c->isEnabled() == first);
    return first;
}

} // namespace

class TestConfirmReset : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstConfirmPlacesEveryColumnControl();
    void columnControlsAreCentredForEveryCount_data();
    void columnControlsAreCentredForEveryCount();
    void startButtonAndPenShareAPictureNoTwoColumnsDo();
    void startButtonsFollowTheStartMode_data();
    void startButtonsFollowTheStartMode();
    void confirmLocksTheSetupWithGreyFaces_data();
    void confirmLocksTheSetupWithGreyFaces();
    void prizesComeFromTheList_data();
    void prizesComeFromTheList();
    void confirmTwiceReplacesTheLadder();
    void thousandConfirmsLeaveExactlyOneSetOfControls();
    void resetRightAfterStartUp();
    void resetAfterAGameRemovesTheLadder();
    void secondResetOnlyReappliesFaces();
    void confirmAfterResetBuildsANewLadder();
};

void TestConfirmReset::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestConfirmReset::firstConfirmPlacesEveryColumnControl()
{
    WindowFixture f;
    f.w().picOk_Click();
    const GameState &s = f.w().State();
    QCOMPARE(s.gMemberCount, std::int16_t(2));
    QVERIFY(!s.gLadderCleared);
    QCOMPARE(s.mStartedCount, std::int16_t(0));
    QCOMPARE(s.mNextPlayer, std::int16_t(1));
    QCOMPARE(f.w().Play().Columns().Count(), 2);
    for (int i = 1; i <= 2; ++i) {
        const double x = i == 1 ? 118 : 132;
        QPushButton *start = f.w().Play().Columns().cmdStart(i);
        QLineEdit *name = f.w().Play().Columns().txtName(i);
        QLineEdit *prize = f.w().Play().Columns().txtbul(i);
        QLabel *pen = f.w().Play().Columns().imgPen(i);
        for (QWidget *w : {static_cast<QWidget *>(start), static_cast<QWidget *>(name),
                           static_cast<QWidget *>(prize), static_cast<QWidget *>(pen)})
            QVERIFY(qAbs(CentreMm(w) - x) < 0.3);
        QVERIFY(qAbs(BottomMm(start) - 29) < 0.3);
        QVERIFY(qAbs(BottomMm(name) - 35) < 0.3);
        QVERIFY(qAbs(TopMm(prize) - 127) < 0.3);
        QVERIFY(qAbs(BottomMm(pen) - (TopMm(start) - 5)) < 0.3);
        QCOMPARE(start->size(), f.w().findChild<QWidget *>("cmdStart0")->size());
        QCOMPARE(name->size(), f.w().findChild<QWidget *>("txtName0")->size());
        QCOMPARE(name->text(), QStringLiteral("(이름)"));
        QVERIFY(start->isVisible() && name->isVisible() && prize->isVisible());
        QVERIFY(pen->isHidden());
        QVERIFY(prize->isReadOnly());
        QVERIFY(prize->text().isEmpty());
    }
}

void TestConfirmReset::columnControlsAreCentredForEveryCount_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; ++n)
        QTest::addRow("N=%d", n) << n;
}

void TestConfirmReset::columnControlsAreCentredForEveryCount()
{
    QFETCH(int, n);
    WindowFixture f;
    f.Confirm(n);
    QCOMPARE(f.CountCreated<QPushButton>(), n);
    QCOMPARE(f.CountCreated<QLabel>(), n);
    QCOMPARE(f.CountCreated<QLineEdit>(), 2 * n);
    for (int i = 1; i <= n; ++i) {
        const double x = geometry::ColumnX(geometry::LadderLeft(n), i);
        QVERIFY(qAbs(CentreMm(f.w().Play().Columns().cmdStart(i)) - x) < 0.3);
        QVERIFY(qAbs(CentreMm(f.w().Play().Columns().txtbul(i)) - x) < 0.3);
    }
}

void TestConfirmReset::startButtonAndPenShareAPictureNoTwoColumnsDo()
{
    WindowFixture f;
    f.Confirm(12);
    QSet<QByteArray> pictures;
    for (int i = 1; i <= 12; ++i) {
        const QImage pen = f.w().Play().Columns().imgPen(i)->pixmap().toImage().convertToFormat(
            QImage::Format_ARGB32);
        const QImage start = f.w().Play().Columns().cmdStart(i)->icon().pixmap(pen.size())
                                 .toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(start, pen);
        pictures.insert(QByteArray(reinterpret_cast<const char *>(pen.constBits()),
                                   pen.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), 12);
}

void TestConfirmReset::startButtonsFollowTheStartMode_data()
{
    QTest::addColumn<bool>("manual");
    QTest::newRow("manual") << true;
    QTest::newRow("automatic") << false;
}

void TestConfirmReset::startButtonsFollowTheStartMode()
{
    QFETCH(bool, manual);
    WindowFixture f;
    f.Confirm(5, manual);
    QVERIFY(f.w().Play().Columns().cmdStart(1)->isEnabled());
    for (int i = 2; i <= 5; ++i)
        QCOMPARE(f.w().Play().Columns().cmdStart(i)->isEnabled(), manual);
}

void TestConfirmReset::confirmLocksTheSetupWithGreyFaces_data()
{
    QTest::addColumn<bool>("manual");
    QTest::newRow("manual") << true;
    QTest::newRow("automatic") << false;
}

void TestConfirmReset::confirmLocksTheSetupWithGreyFaces()
{
    QFETCH(bool, manual);
    WindowFixture f;
    f.Confirm(3, manual);
    QVERIFY(!SetupEnabled(f.w()));
    const SetupFaces grey = Faces(f.w());
    QCOMPARE(grey.up, 33);
    QCOMPARE(grey.down, 34);
    QCOMPARE(grey.add, 35);
    QCOMPARE(grey.del, 36);
    QCOMPARE(grey.clear, 37);
    QCOMPARE(grey.auto_, manual ? 47 : 46);
    QCOMPARE(grey.manual, manual ? 44 : 45);
    QCOMPARE(f.w().Ui().picReset->Face(), 19);
    QVERIFY(f.w().Ui().picOk->isEnabled());

    f.w().picReset_Click();
    QVERIFY(SetupEnabled(f.w()));
    const SetupFaces normal = Faces(f.w());
    QCOMPARE(normal.up, 13);
    QCOMPARE(normal.down, 14);
    QCOMPARE(normal.add, 15);
    QCOMPARE(normal.del, 16);
    QCOMPARE(normal.clear, 17);
    QCOMPARE(normal.auto_, manual ? 43 : 42);
    QCOMPARE(normal.manual, manual ? 40 : 41);
}

void TestConfirmReset::prizesComeFromTheList_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("prizes");
    QTest::newRow("empty list numbers the prizes") << 3 << QStringList{} << QStringList{"1", "2", "3"};
    QTest::newRow("fewer items leave empty prizes")
        << 3 << QStringList{"a", "b"} << QStringList{"a", "b", ""};
    QTest::newRow("items beyond N are ignored")
        << 2 << QStringList{"a", "b", "c", "d"} << QStringList{"a", "b"};
    QTest::newRow("an empty first item numbers them all")
        << 3 << QStringList{"", "x", "y"} << QStringList{"1", "2", "3"};
    QTest::newRow("only the first item decides")
        << 3 << QStringList{"x", ""} << QStringList{"x", "", ""};
    QTest::newRow("duplicates stay") << 2 << QStringList{"꽝", "꽝"} << QStringList{"꽝", "꽝"};
}

void TestConfirmReset::prizesComeFromTheList()
{
    QFETCH(int, n);
    QFETCH(QStringList, list);
    QFETCH(QStringList, prizes);
    WindowFixture f;
    f.w().Ui().lstBul->addItems(list);
    f.Confirm(n);
    const GameState &s = f.w().State();
    QCOMPARE(s.gPrizes.Count(), n);
    for (int i = 1; i <= n; ++i)
        QCOMPARE(s.gPrizes(i), prizes[i - 1]);
    // The second shuffle: which prize lies under which column.
    QCOMPARE(s.gShuffle.Count(), n);
    QSet<int> seen;
    for (int c = 1; c <= n; ++c)
        seen.insert(s.gShuffle(c));
    QCOMPARE(seen.size(), n);
    QCOMPARE(s.gResults.Count(), n);
    QCOMPARE(s.gStarted.Count(), n);
}

void TestConfirmReset::confirmTwiceReplacesTheLadder()
{
    WindowFixture f;
    f.Confirm(4);
    QPointer<QPushButton> old = f.w().Play().Columns().cmdStart(1);
    f.w().Play().Columns().txtName(1)->setText(QStringLiteral("철수"));
    f.w().picOk_Click();
    QVERIFY(old.isNull());
    QCOMPARE(f.CountCreated<QPushButton>(), 4);
    QCOMPARE(f.CountCreated<QLineEdit>(), 8);
    QCOMPARE(f.CountCreated<QLabel>(), 4);
    // Names typed into the old boxes are lost.
    QCOMPARE(f.w().Play().Columns().txtName(1)->text(), QStringLiteral("(이름)"));
}

void TestConfirmReset::thousandConfirmsLeaveExactlyOneSetOfControls()
{
    WindowFixture f;
    f.Confirm(12);
    const int children = f.w().children().size();
    for (int round = 0; round < 1000; ++round)
        f.w().picOk_Click();
    QCOMPARE(f.CountCreated<QPushButton>(), 12);
    QCOMPARE(f.CountCreated<QLineEdit>(), 24);
    QCOMPARE(f.CountCreated<QLabel>(), 12);
    // Nothing else piles up either: no stray objects or helpers.
    QCOMPARE(f.w().children().size(), children);
}

void TestConfirmReset::resetRightAfterStartUp()
{
    WindowFixture f;
    f.w().picReset_Click();
    QVERIFY(f.w().State().gLadderCleared);
    QCOMPARE(f.CountCreated<QPushButton>(), 0);
    QCOMPARE(f.w().State().gLadderLeft, std::int16_t(118));
    QVERIFY(SetupEnabled(f.w()));
}

void TestConfirmReset::resetAfterAGameRemovesTheLadder()
{
    WindowFixture f;
    f.w().Ui().lstBul->addItems({"a", "b", "c"});
    f.Confirm(3);
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.w().picReset_Click();
    QCOMPARE(f.CountCreated<QPushButton>(), 0);
    QCOMPARE(f.CountCreated<QLineEdit>(), 0);
    QCOMPARE(f.CountCreated<QLabel>(), 0);
    QVERIFY(f.w().State().gLadderCleared);
    QVERIFY(SetupEnabled(f.w()));
    QCOMPARE(f.w().Ui().txtMember->text(), QStringLiteral("3"));
    QCOMPARE(f.w().Ui().lstBul->count(), 3);
    // Kept until the next confirm.
    QCOMPARE(f.w().State().gMemberCount, std::int16_t(3));
    QCOMPARE(f.w().State().mStartedCount, std::int16_t(1));
    QCOMPARE(f.w().State().gLadderLeft, geometry::LadderLeft(3));
    QVERIFY(!f.w().Play().KeyPreview());
}

void TestConfirmReset::secondResetOnlyReappliesFaces()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().picReset_Click();
    f.w().Ui().txtMember->setText(QStringLiteral("5"));
    const QImage drawn = f.w().Drawing().Image();
    f.w().Ui().picUpdown0->SetFace(23);
    f.w().picReset_Click();
    QCOMPARE(f.w().Drawing().Image(), drawn);
    QCOMPARE(f.w().Ui().picUpdown0->Face(), 13);
    QVERIFY(f.w().State().gLadderCleared);
}

void TestConfirmReset::confirmAfterResetBuildsANewLadder()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().picReset_Click();
    f.w().Ui().txtMember->setText(QStringLiteral("6"));
    f.w().picOk_Click();
    QCOMPARE(f.w().State().gMemberCount, std::int16_t(6));
    QCOMPARE(f.CountCreated<QPushButton>(), 6);
    QVERIFY(!f.w().State().gLadderCleared);
    QCOMPARE(f.w().State().gRungs.Rows(), 6);
}

QTEST_MAIN(TestConfirmReset)
#include "test_confirm_reset.moc"
