#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/picture_button.h"
#include "support/window_fixture.h"

#include <QListWidget>
#include <QTest>

namespace {

QStringList PrintedTexts(const RecordingPrinter &printer)
{
    QStringList texts;
    for (const auto &t : printer.texts)
        texts << t.text;
    return texts;
}

} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nothingToPrintDuringSetup_data();
    void nothingToPrintDuringSetup();
    void notFinishedUntilEveryPlayerStarted();
    void printsAFinishedGame();
    void printsWhileTheLastPenIsStillMoving();
    void printerFailureGivesOneMessage();
};

void TestPrintWindow::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestPrintWindow::nothingToPrintDuringSetup_data()
{
    QTest::addColumn<bool>("afterReset");
    QTest::newRow("before any confirm") << false;
    QTest::newRow("after reset") << true;
}

void TestPrintWindow::nothingToPrintDuringSetup()
{
    QFETCH(bool, afterReset);
    WindowFixture f;
    if (afterReset) {
        f.Confirm(2);
        f.w().Play().Run().StartDescent(1);
        f.RunTicks();
        f.w().Play().Run().StartDescent(2);
        f.RunTicks();
        f.w().picReset_Click();
    }
    QTest::mouseClick(f.w().Ui().picPrint, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("인쇄할 내용이 없습니다.")});
    QCOMPARE(f.printers.jobs, 0);
}

void TestPrintWindow::notFinishedUntilEveryPlayerStarted()
{
    WindowFixture f;
    f.Confirm(3);
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.w().picPrint_Click();
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("게임이 종료되지 않았습니다.")});
    QCOMPARE(f.printers.jobs, 0);
}

void TestPrintWindow::printsAFinishedGame()
{
    WindowFixture f;
    f.w().Ui().lstBul->addItems({QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("꽝")});
    f.Confirm(3, false);
    f.w().Play().Columns().txtName(1)->setText(QStringLiteral("철수"));
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.w().picPrint_Click();
    QVERIFY(f.messages.shown.isEmpty());
    QCOMPARE(f.printers.jobs, 1);
    const QStringList texts = PrintedTexts(f.printers.printer);
    QVERIFY(texts.contains(QStringLiteral("철수")));
    QVERIFY(texts.contains(QStringLiteral("2")));
    QVERIFY(texts.contains(QStringLiteral("1,000")));
    QVERIFY(texts.contains(QStringLiteral("2,000")));
    QVERIFY(texts.contains(QStringLiteral("꽝")));
    QVERIFY(texts.contains(QStringLiteral(" 3,000 원")));
    QVERIFY(texts.contains(QStringLiteral("3 명")));
    QCOMPARE(f.printers.printer.pictures.size(), 3);
    // Printing changes nothing in the game.
    QCOMPARE(f.w().State().mStartedCount, std::int16_t(3));
    QVERIFY(f.w().Play().Columns().cmdStart(1)->isEnabled());
}

void TestPrintWindow::printsWhileTheLastPenIsStillMoving()
{
    WindowFixture f;
    f.Confirm(2);
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.w().Play().Run().StartDescent(2);
    for (int i = 0; i < 5; ++i)
        f.w().Play().Run().DescentStep();
    f.w().picPrint_Click();
    QCOMPARE(f.printers.jobs, 1);
    QVERIFY(f.messages.shown.isEmpty());
    QVERIFY(f.w().State().gResults(2).isEmpty());
    QVERIFY(f.w().Play().Timer1().isActive());
}

void TestPrintWindow::printerFailureGivesOneMessage()
{
    WindowFixture f;
    f.Confirm(2, false);
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    f.printers.unavailable = true;
    f.w().picPrint_Click();
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("프린터 설정이 잘못되었습니다")});
}

QTEST_MAIN(TestPrintWindow)
#include "test_print_window.moc"
