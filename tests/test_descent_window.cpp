#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/picture_button.h"
#include "support/window_fixture.h"

#include <QLabel>
#include <QTest>

namespace {

void PressEscape(MainWindow &w)
{
    // The key goes where the focus is, or to the window when nothing in it
    // has the focus (the offscreen platform activates no window).
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == &w ? target : &w, Qt::Key_Escape);
}

bool AnyStartEnabled(MainWindow &w)
{
    for (int i = 1; i <= w.Play().Columns().Count(); ++i) {
        if (w.Play().Columns().cmdStart(i)->isEnabled())
            return true;
    }
    return false;
}

} // namespace

class TestDescentWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void timerRunsAtTenMillisecondsWhileAPenMoves();
    void eachStepLocksConfirmResetAndTheStartButtons();
    void theEndRevealsColoursAndParksThePen();
    void escapePausesAndResumesAtTheSamePoint();
    void escapeInAFocusedNameBoxPausesOnce();
    void escapeDoesNothingWithoutARunningDescent_data();
    void escapeDoesNothingWithoutARunningDescent();
    void confirmWhilePausedAbandonsTheDescent();
    void resetWhilePausedAbandonsTheDescent();
    void automaticGameRunsEveryoneFromOneClick();
};

void TestDescentWindow::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestDescentWindow::timerRunsAtTenMillisecondsWhileAPenMoves()
{
    WindowFixture f;
    f.Confirm(3);
    QTest::mouseClick(f.w().Play().Columns().cmdStart(2), Qt::LeftButton);
    QVERIFY(f.w().Play().Timer1().isActive());
    QCOMPARE(f.w().Play().Timer1().interval(), 10);
    QCOMPARE(f.w().Play().Timer1().timerType(), Qt::PreciseTimer);
    QCOMPARE(f.w().State().mStartedCount, std::int16_t(1));
    QCOMPARE(f.w().Play().Columns().txtName(2)->text(), QStringLiteral("2"));
}

void TestDescentWindow::eachStepLocksConfirmResetAndTheStartButtons()
{
    WindowFixture f;
    f.Confirm(4);
    f.w().Play().Run().StartDescent(1);
    f.w().Play().Run().DescentStep();
    QVERIFY(!f.w().Ui().picOk->isEnabled());
    QVERIFY(!f.w().Ui().picReset->isEnabled());
    QCOMPARE(f.w().Ui().picOk->Face(), 38);
    QCOMPARE(f.w().Ui().picReset->Face(), 39);
    QVERIFY(!AnyStartEnabled(f.w()));
    QVERIFY(f.w().Play().KeyPreview());
    QVERIFY(f.w().Play().Columns().imgPen(1)->isVisible());

    f.RunTicks();
    QVERIFY(f.w().Ui().picOk->isEnabled());
    QCOMPARE(f.w().Ui().picOk->Face(), 18);
    QCOMPARE(f.w().Ui().picReset->Face(), 19);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(f.w().Play().Columns().cmdStart(i)->isEnabled());
    QVERIFY(!f.w().Play().KeyPreview());
}

void TestDescentWindow::theEndRevealsColoursAndParksThePen()
{
    WindowFixture f;
    f.Confirm(5);
    f.w().Play().Run().StartDescent(3);
    f.RunTicks();
    const GameState &s = f.w().State();
    int column = 0;
    for (int c = 1; c <= 5; ++c) {
        if (!f.w().Play().Columns().txtbul(c)->text().isEmpty())
            column = c;
    }
    QVERIFY(column > 0);
    QCOMPARE(f.w().Play().Columns().txtbul(column)->text(), s.gPrizes(s.gShuffle(column)));
    QCOMPARE(s.gResults(3), s.gPrizes(s.gShuffle(column)));
    QCOMPARE(f.w().Play().Columns().txtbul(column)->palette().color(QPalette::Base),
             f.w().Play().Columns().txtName(3)->palette().color(QPalette::Base));
    QLabel *pen = f.w().Play().Columns().imgPen(3);
    QCOMPARE(pen->geometry().bottom() + 1,
             f.w().Play().Columns().txtbul(column)->geometry().top());
    QVERIFY(qAbs(pen->geometry().center().x() - f.w().Play().Columns().txtbul(column)->geometry().center().x()) <= 1);
}

void TestDescentWindow::escapePausesAndResumesAtTheSamePoint()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().Play().Run().StartDescent(1);
    for (int i = 0; i < 6; ++i)
        f.w().Play().Run().DescentStep();
    const QPoint penAt = f.w().Play().Columns().imgPen(1)->pos();
    const QImage drawn = f.w().Drawing().Image();

    PressEscape(f.w());
    QVERIFY(!f.w().Play().Timer1().isActive());
    QVERIFY(f.w().Ui().picOk->isEnabled());
    QVERIFY(f.w().Ui().picReset->isEnabled());
    QCOMPARE(f.w().Ui().picOk->Face(), 18);
    QCOMPARE(f.w().Ui().picReset->Face(), 19);
    QVERIFY(!AnyStartEnabled(f.w()));

    PressEscape(f.w());
    QVERIFY(f.w().Play().Timer1().isActive());
    QCOMPARE(f.w().Play().Columns().imgPen(1)->pos(), penAt);
    QCOMPARE(f.w().Drawing().Image(), drawn);
    f.w().Play().Run().DescentStep();
    QVERIFY(!f.w().Ui().picOk->isEnabled());
    const int rest = f.RunTicks();
    QVERIFY(rest >= 18 + 7 - 7);
    QVERIFY(!f.w().State().gResults(1).isEmpty());
}

void TestDescentWindow::escapeInAFocusedNameBoxPausesOnce()
{
    // The name box ignores Escape, so the same key event also reaches the
    // window: it must still count as one press.
    WindowFixture f;
    f.Confirm(3);
    QApplication::setActiveWindow(&f.w());
    QLineEdit *name = f.w().Play().Columns().txtName(2);
    name->setFocus();
    QCOMPARE(QApplication::focusWidget(), name);
    f.w().Play().Run().StartDescent(1);
    f.w().Play().Run().DescentStep();
    QTest::keyClick(name, Qt::Key_Escape);
    QVERIFY(!f.w().Play().Timer1().isActive());
    QTest::keyClick(name, Qt::Key_Escape);
    QVERIFY(f.w().Play().Timer1().isActive());
}

void TestDescentWindow::escapeDoesNothingWithoutARunningDescent_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("before any descent") << "start";
    QTest::newRow("after confirm") << "confirm";
    QTest::newRow("after a path ends") << "ended";
    QTest::newRow("after reset") << "reset";
}

void TestDescentWindow::escapeDoesNothingWithoutARunningDescent()
{
    QFETCH(QString, when);
    WindowFixture f;
    if (when != QLatin1String("start"))
        f.Confirm(3);
    if (when == QLatin1String("ended")) {
        f.w().Play().Run().StartDescent(1);
        f.RunTicks();
    }
    if (when == QLatin1String("reset"))
        f.w().picReset_Click();
    PressEscape(f.w());
    QVERIFY(!f.w().Play().Timer1().isActive());
    PressEscape(f.w());
    QVERIFY(!f.w().Play().Timer1().isActive());
}

void TestDescentWindow::confirmWhilePausedAbandonsTheDescent()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().Play().Run().StartDescent(2);
    f.w().Play().Run().DescentStep();
    PressEscape(f.w());
    f.w().picOk_Click();
    QVERIFY(!f.w().Play().Timer1().isActive());
    QVERIFY(!f.w().Play().KeyPreview());
    PressEscape(f.w());
    QVERIFY(!f.w().Play().Timer1().isActive());
    QCOMPARE(f.w().State().mStartedCount, std::int16_t(0));
    QVERIFY(f.w().Play().Columns().imgPen(2)->isHidden());
    // The new ladder plays normally.
    f.w().Play().Run().StartDescent(1);
    QVERIFY(f.RunTicks() >= 25);
}

void TestDescentWindow::resetWhilePausedAbandonsTheDescent()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().Play().Run().StartDescent(2);
    f.w().Play().Run().DescentStep();
    PressEscape(f.w());
    f.w().picReset_Click();
    QCOMPARE(f.w().Play().Columns().Count(), 0);
    PressEscape(f.w());
    QVERIFY(!f.w().Play().Timer1().isActive());
}

void TestDescentWindow::automaticGameRunsEveryoneFromOneClick()
{
    WindowFixture f;
    f.Confirm(6, false);
    QTest::mouseClick(f.w().Play().Columns().cmdStart(1), Qt::LeftButton);
    f.RunTicks();
    const GameState &s = f.w().State();
    QCOMPARE(s.mStartedCount, std::int16_t(6));
    QCOMPARE(s.mNextPlayer, std::int16_t(1));
    QVERIFY(f.w().Play().Columns().cmdStart(1)->isEnabled());
    for (int i = 2; i <= 6; ++i) {
        QVERIFY(!f.w().Play().Columns().cmdStart(i)->isEnabled());
        QCOMPARE(f.w().Play().Columns().txtName(i)->text(), QString::number(i));
    }
    QSet<QString> results;
    for (int i = 1; i <= 6; ++i)
        results.insert(s.gResults(i));
    QCOMPARE(results.size(), 6);
}

QTEST_MAIN(TestDescentWindow)
#include "test_descent_window.moc"
