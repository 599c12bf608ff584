#include "widgets/fonts.h"
#include "game/game_state.h"
#include "platform/outcome.h"
#include "print/print_results.h"
#include "print/sheet_source.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QTest>

// The click on picPrint: when the sheet may be printed, how every printer
// failure turns into exactly one message with nothing done after it, and
// how each outcome of a print or a save is told.
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
    void everyOutcomeIsToldItsOwnWay_data();
    void everyOutcomeIsToldItsOwnWay();
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

// The press as the window makes it: print, then tell what became of it.
void Press(GameState &state, const SheetSource &source, PrinterProvider &printers, Messages &messages)
{
    Tell(messages, mdlPrint::PrintResults(state, source, printers));
}

} // namespace

Q_DECLARE_METATYPE(Outcome::Kind)

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
    Press(state, source, printers, messages);

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
    Press(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList{kNotFinished});
    QCOMPARE(printers.jobs, 0);
}

void TestPrintButton::printsInPortraitOnceEveryPlayerHasStarted()
{
    GameState state = Game(3, 3, {"1000", "2000", "꽝"});
    FakeSource source;
    RecordingPrinterProvider printers;
    RecordingMessages messages;
    Press(state, source, printers, messages);

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
    Press(state, source, printers, messages);

    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(printers.printer.ended, 1);
    QCOMPARE(state.gPrizeTotal, 3000);
    QVERIFY(!printers.printer.calls.contains(QStringLiteral("Print()")));
}

void TestPrintButton::everyOutcomeIsToldItsOwnWay_data()
{
    QTest::addColumn<Outcome::Kind>("kind");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warning");

    using K = Outcome::Kind;
    const QString sheet = QStringLiteral("/home/you/Documents/Kapuna 결과 2026-12-08 153012.pdf");
    const QString folder = QStringLiteral("/home/you/Documents");
    QTest::newRow("printed") << K::Printed << QString() << QString() << false;
    QTest::newRow("taken for the press before") << K::SamePress << QString() << QString() << false;
    QTest::newRow("stand-in open in a viewer") << K::StandInShown << sheet << QString() << false;
    QTest::newRow("saved where the user chose") << K::Saved << sheet << QString() << false;
    QTest::newRow("dialog cancelled") << K::Cancelled << QString() << QString() << false;
    QTest::newRow("sent, not confirmed")
        << K::Unconfirmed << QString()
        << QStringLiteral("결과표를 프린터로 보냈지만 인쇄를 확인하지 못했습니다. 프린터를 확인하세요.") << false;
    QTest::newRow("printer failure") << K::PrinterFailure << QString() << kPrinterWrong << false;
    QTest::newRow("refused") << K::Refused << kNotFinished << kNotFinished << false;
    QTest::newRow("stand-in without a viewer")
        << K::StandInSaved << sheet << QStringLiteral("결과표를 PDF로 저장했습니다: ") + sheet << false;
    QTest::newRow("sheet not saved")
        << K::SheetNotSaved << folder << QStringLiteral("결과표를 PDF로 저장하지 못했습니다: ") + folder << true;
    QTest::newRow("picture not saved")
        << K::PictureNotSaved << folder << QStringLiteral("그림을 저장하지 못했습니다: ") + folder << true;
    QTest::newRow("no folder for the stand-in")
        << K::NoFolder << folder << QStringLiteral("결과표를 저장할 폴더를 만들 수 없습니다: ") + folder << true;
    QTest::newRow("every name taken")
        << K::NoFreeName << folder
        << QStringLiteral("결과표 PDF의 이름을 정할 수 없습니다 (같은 이름이 모두 있습니다): ") + folder << true;
}

void TestPrintButton::everyOutcomeIsToldItsOwnWay()
{
    QFETCH(Outcome::Kind, kind);
    QFETCH(QString, detail);
    QFETCH(QString, message);
    QFETCH(bool, warning);

    GameState state = Game(2, 2, {"1", "2"});
    FakeSource source;
    RecordingPrinterProvider printers;
    printers.ended = Outcome{kind, detail};
    RecordingMessages messages;
    Press(state, source, printers, messages);

    QCOMPARE(messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(messages.warned, warning ? QStringList{message} : QStringList());
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
    Press(state, source, printers, messages);

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
    Press(state, source, printers, messages);
    const QStringList first = printers.printer.Only({"Print(", "Line(", "Picture("});
    printers.printer = RecordingPrinter();
    Press(state, source, printers, messages);

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
