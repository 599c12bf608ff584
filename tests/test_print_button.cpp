#include "widgets/fonts.h"
#include "game/game_state.h"
#include "print/print_results.h"
#include "print/sheet_source.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QTest>

// The click on picPrint: when the sheet may be printed, and how every
// printer failure turns into exactly one message with nothing done after it.
class TestPrintButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void refusesWhileThePrizesAreBeingSetUp_data();
    void refusesWhileThePrizesAreBeingSetUp();
    void refusesUntilEveryPlayerHasStarted_data();
    void refusesUntilEveryPlayerHasStarted();
    void printsInPortraitOnceEveryPlayerHasStarted();
    void printsWhileTheLastDescentIsStillRunning();
    void noDefaultPrinterGivesThePrinterMessage();
    void standInFailureSaysWhatAndWhere();
    void failureHalfWayGivesOneMessageAndStops_data();
    void failureHalfWayGivesOneMessageAndStops();
    void printsAgainAndAgainWithTheSameSheet();
};

namespace {

const QString kNothingToPrint = QStringLiteral("인쇄할 내용이 없습니다.");
const QString kNotFinished = QStringLiteral("게임이 종료되지 않았습니다.");
const QString kPrinterWrong = QStringLiteral("프린터 설정이 잘못되었습니다");

class FakeSource final : public SheetSource
{
public:
    QString NameText(int i) const override { return QStringLiteral("이름%1").arg(i); }
    QPixmap StartPicture(int) const override
    {
        QPixmap picture(32, 32);
        picture.fill(Qt::green);
        return picture;
    }
    QSizeF PenTemplateSizeMm() const override { return QSizeF(6, 4); }
};

GameState Game(int players, int started, const QStringList &results)
{
    GameState state;
    state.gPhase = GamePhase::Confirmed;
    state.gMemberCount = std::int16_t(players);
    state.mStartedCount = std::int16_t(started);
    state.gResults.Recreate(players);
    for (int i = 1; i <= players && i <= results.size(); ++i)
        state.gResults(i) = results.at(i - 1);
    return state;
}

} // namespace

void TestPrintButton::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestPrintButton::refusesWhileThePrizesAreBeingSetUp_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("started");

    QTest::newRow("before the first confirm") << 0 << 0;
    QTest::newRow("after a reset of a finished game") << 3 << 3;
    QTest::newRow("after a reset half-way") << 3 << 1;
}

void TestPrintButton::refusesWhileThePrizesAreBeingSetUp()
{
    QFETCH(int, players);
    QFETCH(int, started);

    GameState state = Game(players, started, {"1", "2", "3"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    state.gPhase = GamePhase::Setup;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList{kNothingToPrint});
    QCOMPARE(printers.jobs, 0);
    QCOMPARE(printers.printer.calls, QStringList());
}

void TestPrintButton::refusesUntilEveryPlayerHasStarted_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("started");

    QTest::newRow("nobody started") << 3 << 0;
    QTest::newRow("one short") << 3 << 2;
    QTest::newRow("twelve, eleven started") << 12 << 11;
}

void TestPrintButton::refusesUntilEveryPlayerHasStarted()
{
    QFETCH(int, players);
    QFETCH(int, started);

    GameState state = Game(players, started, {});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList{kNotFinished});
    QCOMPARE(printers.jobs, 0);
}

void TestPrintButton::printsInPortraitOnceEveryPlayerHasStarted()
{
    GameState state = Game(3, 3, {"1000", "2000", "꽝"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(printers.jobs, 1);
    const RecordingPrinter &printer = printers.printer;
    QCOMPARE(printer.calls.first(), QStringLiteral("Orientation(Portrait)"));
    QCOMPARE(printer.calls.at(1), QStringLiteral("FontBold(true)"));
    QCOMPARE(printer.calls.last(), QStringLiteral("EndDoc"));
    QCOMPARE(printer.ended, 1);
    QCOMPARE(printer.texts.last().text, QStringLiteral(" 3,000 원"));
    QCOMPARE(state.gPrizeTotal, 3000);
}

void TestPrintButton::printsWhileTheLastDescentIsStillRunning()
{
    GameState state = Game(3, 3, {"1000", "2000"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(printers.printer.ended, 1);
    QCOMPARE(state.gPrizeTotal, 3000);
    QVERIFY(!printers.printer.calls.contains(QStringLiteral("Print()")));
}

void TestPrintButton::noDefaultPrinterGivesThePrinterMessage()
{
    GameState state = Game(2, 2, {"1", "2"});
    FakeSource source;
    RecordingPrinterProvider printers;
    printers.unavailable = true;
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList{kPrinterWrong});
    QCOMPARE(printers.printer.calls, QStringList());
}

void TestPrintButton::standInFailureSaysWhatAndWhere()
{
    GameState state = Game(2, 2, {"1", "2"});
    FakeSource source;
    RecordingPrinterProvider printers;
    printers.standInFailure = QStringLiteral("결과표를 PDF로 저장하지 못했습니다: /full");
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList{printers.standInFailure});
}

void TestPrintButton::failureHalfWayGivesOneMessageAndStops_data()
{
    QTest::addColumn<QString>("failingCall");

    QTest::newRow("orientation") << "Orientation(Portrait)";
    QTest::newRow("paper size") << "PaperSize(A4)";
    QTest::newRow("font") << "FontName(굴림)";
    QTest::newRow("measuring the title") << "TextWidth(KAPUNA 게임 결과)";
    QTest::newRow("the title") << "Print(KAPUNA 게임 결과)";
    QTest::newRow("the diagonal") << "Line(30,70,50,80)";
    QTest::newRow("a row's outline") << "Line(100,90,150,90)";
    QTest::newRow("a picture") << "Picture(37,93)";
    QTest::newRow("a prize") << "Print(2,000)";
    QTest::newRow("the total") << "Print( 3,000 원)";
    QTest::newRow("ending the document") << "EndDoc";
}

void TestPrintButton::failureHalfWayGivesOneMessageAndStops()
{
    QFETCH(QString, failingCall);

    GameState state = Game(3, 3, {"1000", "2000", "꽝"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingPrinter &printer = printers.printer;
    QString failedAt;
    printer.failOn = [&](const QString &call) {
        if (call == failingCall && failedAt.isEmpty()) {
            failedAt = call;
            return true;
        }
        return !failedAt.isEmpty(); // nothing may run after the failure
    };
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(failedAt, failingCall);
    QCOMPARE(messages.shown, QStringList{kPrinterWrong});
    QCOMPARE(printer.ended, 0);
    QVERIFY(!printer.calls.contains(failingCall));
}

void TestPrintButton::printsAgainAndAgainWithTheSameSheet()
{
    GameState state = Game(2, 2, {"1000", "꽝"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    mdlPrint::PrintResults(state, source, printers, messages);
    const QStringList first = printers.printer.Only({"Print(", "Line(", "Picture("});
    printers.printer = RecordingPrinter();
    mdlPrint::PrintResults(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(printers.jobs, 2);
    const QStringList second = printers.printer.Only({"Print(", "Line(", "Picture("});
    // Only the date line may differ, by the clock.
    auto withoutDate = [](QStringList calls) {
        calls.removeIf([](const QString &c) { return c.startsWith(QStringLiteral("Print(일시: ")); });
        return calls;
    };
    QCOMPARE(withoutDate(second), withoutDate(first));
    QCOMPARE(state.gResults(1), QStringLiteral("1000"));
    QCOMPARE(state.gPrizeTotal, 1000);
}

QTEST_MAIN(TestPrintButton)
#include "test_print_button.moc"
