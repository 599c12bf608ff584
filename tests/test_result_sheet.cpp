#include "widgets/fonts.h"
#include "game/game_state.h"
#include "print/result_sheet.h"
#include "print/sheet_source.h"
#include "support/recording_printer.h"

#include <QRegularExpression>
#include <QTest>

#include <limits>

// The layout of the result sheet: what is output, in which order, where,
// and the total of the prizes.
class TestResultSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void setsUpThePrinterBeforeTheTitle();
    void printsTheTitleFirstAndCentred();
    void drawsTheHeaderCellsTheDiagonalAndTheHeadings();
    void outputsEveryRowInOrder();
    void placesRowsBelowEachOther_data();
    void placesRowsBelowEachOther();
    void centresTheStartPicturesWithThePenTemplatesSize();
    void readsTheDateOnceAfterTheTable();
    void writesTheDateAndTimeAsTheLocaleDoes_data();
    void writesTheDateAndTimeAsTheLocaleDoes();
    void placesThePlayersAndTotalLinesBelowTheTable_data();
    void placesThePlayersAndTotalLinesBelowTheTable();
    void notesFollowTheTotal_data();
    void notesFollowTheTotal();
    void printsAmountsAndTheirTotal_data();
    void printsAmountsAndTheirTotal();
    void startsTheTotalFromZero();
    void emptyNamePrintsNothingButItsCellIsOutlined();
    void missingResultLeavesItsCellEmptyAndAddsNothing();
    void printsEverythingRedInBoldGulim();
    void endsTheDocumentOnceAsTheLastStep();
    void changesNothingInTheGameButTheTotal();
    void printerFailureStopsTheSheet();
};

namespace {

constexpr float kPenMm = float(480.0 / 1440.0 * 25.4);

class FakeSource final : public SheetSource
{
public:
    explicit FakeSource(QStringList names)
        : names_(std::move(names))
    {
        for (int i = 0; i < names_.size(); ++i) {
            QPixmap picture(32, 32);
            picture.fill(QColor::fromHsv(i * 30, 200, 200));
            pictures_ << picture;
        }
    }
    QString NameText(int i) const override { return names_.at(i - 1); }
    QPixmap StartPicture(int i) const override { return pictures_.at(i - 1); }
    QSizeF PenTemplateSizeMm() const override { return pen; }
    SheetNotes Notes() const override { return notes; }

    QSizeF pen{kPenMm, kPenMm};
    SheetNotes notes;

private:
    QStringList names_;
    QList<QPixmap> pictures_;
};

QStringList Names(int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("P%1").arg(i);
    return names;
}

GameState Game(const QStringList &results)
{
    GameState state;
    state.gMemberCount = std::int16_t(results.size());
    state.mStartedCount = state.gMemberCount;
    state.gResults.Recreate(results.size());
    for (int i = 1; i <= results.size(); ++i)
        state.gResults(i) = results.at(i - 1);
    return state;
}

const QDateTime kWhen(QDate(2001, 5, 12), QTime(15, 25, 10));

// Prints the sheet with the C locale and a fixed clock.
void Print(GameState &state, RecordingPrinter &printer, const SheetSource &source,
           const std::function<QDateTime()> &now = [] { return kWhen; })
{
    mdlPrint::PrintResultSheet(state, printer, source, QLocale::c(), now);
}

QString LineCall(int x1, int y1, int x2, int y2)
{
    return QStringLiteral("Line(%1,%2,%3,%4)").arg(x1).arg(y1).arg(x2).arg(y2);
}

QStringList BoxCalls(int x1, int y1, int x2, int y2)
{
    return {LineCall(x1, y1, x2, y1), LineCall(x2, y1, x2, y2), LineCall(x2, y2, x1, y2),
            LineCall(x1, y2, x1, y1)};
}

const RecordingPrinter::PrintedText *Find(const RecordingPrinter &printer, const QString &text)
{
    for (const auto &t : printer.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

// Where PrintInBox puts a text on the recorder (width 0.2 * points per
// character, height 0.4 * points).
float LeftX(int left)
{
    return float(left) + 0.5f;
}
float RightX(int right, const QString &text, double points)
{
    return float(right) - float(text.size()) * float(points) * 0.2f - 0.5f;
}
float CentreX(int left, int right, const QString &text, double points)
{
    return float(left) + (float(right - left) - float(text.size()) * float(points) * 0.2f) / 2.0f;
}
float MiddleY(int top, int bottom, double points)
{
    return float(top) + (float(bottom - top) - float(points) * 0.4f) / 2.0f;
}

} // namespace

void TestResultSheet::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestResultSheet::setsUpThePrinterBeforeTheTitle()
{
    GameState state = Game({"1", "2"});
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);

    const QStringList expected{"FontBold(true)", "PaperSize(A4)", "ScaleUnit(mm)", "FontName(굴림)",
                               "FontSize(30)"};
    QCOMPARE(printer.calls.mid(0, 5), expected);
}

void TestResultSheet::printsTheTitleFirstAndCentred()
{
    GameState state = Game({"1", "2"});
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);

    const QString title = QStringLiteral("KAPUNA 게임 결과");
    QCOMPARE(printer.texts.at(0).text, title);
    QCOMPARE(printer.texts.at(0).points, 30.0);
    QCOMPARE(printer.texts.at(0).x, CentreX(45, 165, title, 30));
    QCOMPARE(printer.texts.at(0).y, MiddleY(30, 55, 30));
    // Nothing is drawn before it.
    QVERIFY(printer.calls.indexOf(QStringLiteral("Print(%1)").arg(title))
            < printer.calls.indexOf(LineCall(30, 70, 50, 70)));
}

void TestResultSheet::drawsTheHeaderCellsTheDiagonalAndTheHeadings()
{
    GameState state = Game({"1", "2"});
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);

    QStringList expected{"Print(KAPUNA 게임 결과)", "FontSize(15)"};
    expected << BoxCalls(30, 70, 50, 80) << BoxCalls(50, 70, 100, 80) << BoxCalls(100, 70, 150, 80)
             << BoxCalls(150, 70, 170, 80) << LineCall(30, 70, 50, 80)
             << "Print(이 름)" << "Print(당첨내역)" << "Print(확 인)";
    const QStringList outputs = printer.Only({"Print", "Line", "FontSize(15)", "Picture"});
    QCOMPARE(outputs.mid(0, expected.size()), expected);

    const struct
    {
        QString text;
        int left, right;
    } headings[] = {{QStringLiteral("이 름"), 50, 100},
                    {QStringLiteral("당첨내역"), 100, 150},
                    {QStringLiteral("확 인"), 150, 170}};
    for (const auto &h : headings) {
        const auto *t = Find(printer, h.text);
        QVERIFY2(t, qPrintable(h.text));
        QCOMPARE(t->points, 15.0);
        QCOMPARE(t->x, CentreX(h.left, h.right, h.text, 15));
        QCOMPARE(t->y, MiddleY(70, 80, 15));
    }
}

void TestResultSheet::outputsEveryRowInOrder()
{
    GameState state = Game({"1000", "꽝"});
    FakeSource source({"가", "나"});
    RecordingPrinter printer;
    Print(state, printer, source);

    const QStringList outputs = printer.Only({"Print", "Line", "Picture", "FontSize", "EndDoc"});
    const qsizetype firstRow = outputs.indexOf(QStringLiteral("Print(확 인)")) + 1;

    const float dx = (20.0f - kPenMm) / 2.0f;
    const float dy = (10.0f - kPenMm) / 2.0f;
    QStringList expected;
    expected << BoxCalls(30, 80, 50, 90)
             << QStringLiteral("Picture(%1,%2)").arg(30.0f + dx).arg(80.0f + dy)
             << BoxCalls(50, 80, 100, 90) << "Print(가)"
             << BoxCalls(100, 80, 150, 90) << "Print(1,000)"
             << BoxCalls(150, 80, 170, 90)
             << BoxCalls(30, 90, 50, 100)
             << QStringLiteral("Picture(%1,%2)").arg(30.0f + dx).arg(90.0f + dy)
             << BoxCalls(50, 90, 100, 100) << "Print(나)"
             << BoxCalls(100, 90, 150, 100) << "Print(꽝)"
             << BoxCalls(150, 90, 170, 100)
             << "FontSize(10)" << "Print(일시: 12 May 200115:25:10)"
             << "FontSize(15)" << "Print(게임인원:)" << "Print(2 명)"
             << "Print(당첨총액:)" << "Print( 1,000 원)" << "EndDoc";
    QCOMPARE(outputs.mid(firstRow), expected);

    const auto *name = Find(printer, QStringLiteral("가"));
    QCOMPARE(name->x, LeftX(50));
    QCOMPARE(name->y, MiddleY(80, 90, 15));
    const auto *prize = Find(printer, QStringLiteral("꽝"));
    QCOMPARE(prize->x, RightX(150, QStringLiteral("꽝"), 15));
    QCOMPARE(prize->y, MiddleY(90, 100, 15));
}

void TestResultSheet::placesRowsBelowEachOther_data()
{
    QTest::addColumn<int>("players");
    for (int n : {2, 5, 12})
        QTest::newRow(qPrintable(QStringLiteral("%1 players").arg(n))) << n;
}

void TestResultSheet::placesRowsBelowEachOther()
{
    QFETCH(int, players);

    QStringList results;
    for (int i = 1; i <= players; ++i)
        results << QString::number(i);
    GameState state = Game(results);
    FakeSource source(Names(players));
    RecordingPrinter printer;
    Print(state, printer, source);

    // Header: 4 boxes and the diagonal; each row: 4 boxes.
    QCOMPARE(printer.lines.size(), 4 * 4 + 1 + players * 4 * 4);
    QCOMPARE(printer.pictures.size(), players);
    for (int i = 1; i <= players; ++i) {
        const int y = 80 + 10 * (i - 1);
        for (const QString &line : BoxCalls(30, y, 50, y + 10) + BoxCalls(50, y, 100, y + 10)
                                       + BoxCalls(100, y, 150, y + 10)
                                       + BoxCalls(150, y, 170, y + 10))
            QVERIFY2(printer.calls.contains(line), qPrintable(line));
        const auto *name = Find(printer, QStringLiteral("P%1").arg(i));
        QVERIFY(name);
        QCOMPARE(name->y, MiddleY(y, y + 10, 15));
        QCOMPARE(name->x, LeftX(50));
    }
    // The table ends at 80 + 10 N; nothing is outlined below it.
    const int b = 80 + 10 * players;
    for (const auto &line : printer.lines)
        QVERIFY(line.y1 <= b && line.y2 <= b);
}

void TestResultSheet::centresTheStartPicturesWithThePenTemplatesSize()
{
    GameState state = Game({"1", "2", "3"});
    FakeSource source(Names(3));
    source.pen = QSizeF(6.0, 4.0);
    RecordingPrinter printer;
    Print(state, printer, source);

    QCOMPARE(printer.pictures.size(), 3);
    for (int i = 1; i <= 3; ++i) {
        const auto &picture = printer.pictures.at(i - 1);
        QCOMPARE(picture.cacheKey, source.StartPicture(i).cacheKey());
        QCOMPARE(picture.size, QSizeF(32, 32));
        QCOMPARE(picture.x, 30.0f + 7.0f);
        QCOMPARE(picture.y, float(80 + 10 * (i - 1)) + 3.0f);
    }
}

void TestResultSheet::readsTheDateOnceAfterTheTable()
{
    GameState state = Game({"1", "2", "3"});
    FakeSource source(Names(3));
    RecordingPrinter printer;
    int reads = 0;
    QStringList callsBeforeRead;
    Print(state, printer, source, [&] {
        ++reads;
        callsBeforeRead = printer.calls;
        return kWhen;
    });

    QCOMPARE(reads, 1);
    // The left edge of the last row's last cell is the table's last line;
    // only the date line's font size comes between.
    const QStringList expected{LineCall(150, 110, 150, 100), QStringLiteral("FontSize(10)")};
    QCOMPARE(callsBeforeRead.mid(callsBeforeRead.size() - 2), expected);

    const QString text = QStringLiteral("일시: 12 May 200115:25:10");
    const auto *date = Find(printer, text);
    QVERIFY(date);
    QCOMPARE(date->points, 10.0);
    QCOMPARE(date->x, RightX(170, text, 10));
    QCOMPARE(date->y, MiddleY(60, 70, 10));
}

void TestResultSheet::writesTheDateAndTimeAsTheLocaleDoes_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("korean") << QLocale(QLocale::Korean, QLocale::SouthKorea)
                            << QStringLiteral("01. 5. 12.오후 3:25:10");
    QTest::newRow("american") << QLocale(QLocale::English, QLocale::UnitedStates)
                              << QStringLiteral("5/12/013:25:10 PM");
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany)
                            << QStringLiteral("12.05.0115:25:10");
    QTest::newRow("C") << QLocale::c() << QStringLiteral("12 May 200115:25:10");
}

void TestResultSheet::writesTheDateAndTimeAsTheLocaleDoes()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    QCOMPARE(mdlPrint::DateTimeText(kWhen, locale), text);
}

void TestResultSheet::placesThePlayersAndTotalLinesBelowTheTable_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("playersTop");
    QTest::addColumn<int>("totalTop");

    QTest::newRow("2 players") << 2 << 110 << 120;
    QTest::newRow("5 players") << 5 << 140 << 150;
    QTest::newRow("12 players") << 12 << 210 << 220;
}

void TestResultSheet::placesThePlayersAndTotalLinesBelowTheTable()
{
    QFETCH(int, players);
    QFETCH(int, playersTop);
    QFETCH(int, totalTop);

    QStringList results;
    for (int i = 0; i < players; ++i)
        results << QStringLiteral("10");
    GameState state = Game(results);
    FakeSource source(Names(players));
    RecordingPrinter printer;
    Print(state, printer, source);

    const QString count = QString::number(players) + QStringLiteral(" 명");
    const QString total = QStringLiteral(" %1 원").arg(10 * players);
    const struct
    {
        QString text;
        float x;
        int top;
    } expected[] = {
        {QStringLiteral("게임인원:"), LeftX(100), playersTop},
        {count, RightX(170, count, 15), playersTop},
        {QStringLiteral("당첨총액:"), LeftX(100), totalTop},
        {total, RightX(170, total, 15), totalTop},
    };
    for (const auto &e : expected) {
        const auto *t = Find(printer, e.text);
        QVERIFY2(t, qPrintable(e.text));
        QCOMPARE(t->points, 15.0);
        QCOMPARE(t->x, e.x);
        QCOMPARE(t->y, MiddleY(e.top, e.top + 10, 15));
    }
}

void TestResultSheet::notesFollowTheTotal_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("replay");
    QTest::addColumn<bool>("reprint");
    // After the total line, in order: each text and the top of its 10 mm
    // (15 pt) or 7 mm (10 pt) line.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("tops");
    const QString number = QStringLiteral("K7QM-3XPA-92JD");
    const QString reprinted =
        QStringLiteral("다시 인쇄: ") + mdlPrint::DateTimeText(kWhen.addDays(30), QLocale::c());
    QTest::newRow("a round still running: nothing") << QString() << false << false << QStringList()
                                                    << QList<int>();
    QTest::newRow("a finished round: its number")
        << number << false << false << QStringList{QStringLiteral("게임 번호:"), number}
        << QList<int>{130, 130};
    QTest::newRow("a replay printed again")
        << number << true << true
        << QStringList{QStringLiteral("게임 번호:"), number, QStringLiteral("다시 보기로 진행한 게임"), reprinted}
        << QList<int>{130, 130, 140, 147};
}

void TestResultSheet::notesFollowTheTotal()
{
    QFETCH(QString, number);
    QFETCH(bool, replay);
    QFETCH(bool, reprint);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, tops);
    GameState state = Game({QStringLiteral("1"), QStringLiteral("2")});
    FakeSource source(Names(2));
    source.notes = {number, reprint ? kWhen.addDays(30) : QDateTime(), replay,
                    reprint ? kWhen.addDays(-1) : QDateTime()};
    RecordingPrinter printer;
    Print(state, printer, source);

    qsizetype at = 0;
    while (at < printer.texts.size() && !printer.texts[at].text.endsWith(QStringLiteral(" 원")))
        ++at;
    // A reprint bears the round's own date; any other sheet that of now.
    const QString date = QStringLiteral("일시: ")
                         + mdlPrint::DateTimeText(reprint ? kWhen.addDays(-1) : kWhen, QLocale::c());
    QVERIFY2(Find(printer, date), qPrintable(date));
    const auto after = printer.texts.mid(at + 1);
    QCOMPARE(after.size(), texts.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        QCOMPARE(after[i].text, texts[i]);
        // The number's line is as tall as those above it, in a smaller size
        // so that it fits beside its label; the remarks in the date's size.
        const bool numberLine = i < 2 && !number.isEmpty();
        const double points = numberLine ? 12 : 10;
        QCOMPARE(after[i].points, points);
        QCOMPARE(after[i].y, MiddleY(tops[i], tops[i] + (numberLine ? 10 : 7), points));
    }
}

void TestResultSheet::printsAmountsAndTheirTotal_data()
{
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("totalLine");

    QTest::newRow("thousands and a word")
        << QStringList{"1000", "2000", "꽝"} << QStringList{"1,000", "2,000", "꽝"} << 3000
        << " 3,000 원";
    const QStringList twelve(12, QStringLiteral("99999"));
    QTest::newRow("twelve of the longest prize")
        << twelve << QStringList(12, QStringLiteral("99,999")) << 1199988 << " 1199,988 원";
    QTest::newRow("typed separator counts, printed as typed")
        << QStringList{"1,000", "꽝"} << QStringList{"1,000", "꽝"} << 1000 << " 1,000 원";
    QTest::newRow("negative thousands")
        << QStringList{"-5000", "꽝"} << QStringList{"-5,000", "꽝"} << -5000 << " -5,000 원";
    QTest::newRow("negative hundreds")
        << QStringList{"-500", "꽝"} << QStringList{"-500", "꽝"} << -500 << " -500 원";
    QTest::newRow("fraction summed rounded, printed as typed")
        << QStringList{"2.5", "꽝"} << QStringList{"2.5", "꽝"} << 2 << " 2 원";
    QTest::newRow("no numbers at all")
        << QStringList{"꽝", "상품권"} << QStringList{"꽝", "상품권"} << 0 << " 0 원";
    QTest::newRow("overflowing addition skipped, later ones kept")
        << QStringList{"2147483000", "1000", "-5"}
        << QStringList{"2147483,000", "1,000", "-5"} << 2147482995 << " 2147482,995 원";
    QTest::newRow("out of range prize printed, not summed")
        << QStringList{"9999999999", "7"} << QStringList{"9999999999", "7"} << 7 << " 7 원";
    QTest::newRow("sum down to the smallest")
        << QStringList{"-2147483000", "-648", "-1"}
        << QStringList{"-2147483,000", "-648", "-1"}
        << std::numeric_limits<std::int32_t>::min() << " -2147483,648 원";
}

void TestResultSheet::printsAmountsAndTheirTotal()
{
    QFETCH(QStringList, results);
    QFETCH(QStringList, printed);
    QFETCH(int, total);
    QFETCH(QString, totalLine);

    GameState state = Game(results);
    FakeSource source(Names(int(results.size())));
    RecordingPrinter printer;
    Print(state, printer, source);

    QCOMPARE(state.gPrizeTotal, total);
    for (int i = 1; i <= results.size(); ++i) {
        // Row i's prize is the text right after its name.
        const qsizetype at = printer.calls.indexOf(QStringLiteral("Print(P%1)").arg(i));
        QVERIFY(at >= 0);
        const QStringList after = printer.calls.mid(at + 1).filter(QRegularExpression("^Print\\("));
        QCOMPARE(after.first(), QStringLiteral("Print(%1)").arg(printed.at(i - 1)));
        const auto *t = Find(printer, printed.at(i - 1));
        QCOMPARE(t->x, RightX(150, printed.at(i - 1), 15));
    }
    const auto *line = Find(printer, totalLine);
    QVERIFY2(line, qPrintable(totalLine));
    QCOMPARE(line->x, RightX(170, totalLine, 15));
    QCOMPARE(printer.texts.last().text, totalLine);
}

void TestResultSheet::startsTheTotalFromZero()
{
    GameState state = Game({"100", "200"});
    state.gPrizeTotal = 12345;
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);
    QCOMPARE(state.gPrizeTotal, 300);

    RecordingPrinter again;
    Print(state, again, source);
    QCOMPARE(state.gPrizeTotal, 300);
    QCOMPARE(again.texts.last().text, QStringLiteral(" 300 원"));
}

void TestResultSheet::emptyNamePrintsNothingButItsCellIsOutlined()
{
    GameState state = Game({"1", "2", "3"});
    FakeSource source({"가", "", "다"});
    RecordingPrinter printer;
    Print(state, printer, source);

    // Row 2: boxes and picture, no name, then its prize.
    const qsizetype start = printer.calls.indexOf(LineCall(30, 90, 50, 90));
    const qsizetype end = printer.calls.indexOf(LineCall(30, 100, 50, 100));
    const QStringList row = printer.calls.mid(start, end - start);
    QStringList expected;
    expected << BoxCalls(30, 90, 50, 100) << BoxCalls(50, 90, 100, 100)
             << BoxCalls(100, 90, 150, 100) << "Print(2)" << BoxCalls(150, 90, 170, 100);
    QCOMPARE(row.filter(QRegularExpression("^(Line|Print)")), expected);
    for (const auto &t : printer.texts)
        QVERIFY(!t.text.isEmpty());
}

void TestResultSheet::missingResultLeavesItsCellEmptyAndAddsNothing()
{
    // Every player has started but the last descent is still on its way.
    GameState state = Game({"1000", "2000", ""});
    FakeSource source(Names(3));
    RecordingPrinter printer;
    Print(state, printer, source);

    QCOMPARE(state.gPrizeTotal, 3000);
    const qsizetype start = printer.calls.indexOf(QStringLiteral("Print(P3)"));
    const qsizetype end = printer.calls.indexOf(QStringLiteral("FontSize(10)"));
    const QStringList rest = printer.calls.mid(start + 1, end - start - 1);
    QStringList expected;
    expected << BoxCalls(100, 100, 150, 110) << BoxCalls(150, 100, 170, 110);
    QCOMPARE(rest.filter(QRegularExpression("^(Line|Print)")), expected);
    QCOMPARE(printer.ended, 1);
}

void TestResultSheet::printsEverythingRedInBoldGulim()
{
    GameState state = Game({"1000", "꽝", "3"});
    FakeSource source(Names(3));
    RecordingPrinter printer;
    Print(state, printer, source);

    QCOMPARE(printer.texts.size(), 1 + 3 + 3 + 3 + 1 + 4);
    for (const auto &t : printer.texts) {
        QCOMPARE(t.colour, QColor(255, 0, 0));
        QCOMPARE(t.font, QStringLiteral("굴림"));
        QVERIFY(t.bold);
    }
    for (const auto &line : printer.lines)
        QCOMPARE(line.colour, QColor(255, 0, 0));
    // The line width is the printer's own: nothing ever sets one.
    QCOMPARE(printer.Only({"LineWidth", "DrawWidth"}), QStringList());
}

void TestResultSheet::endsTheDocumentOnceAsTheLastStep()
{
    GameState state = Game({"1", "2"});
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);
    QCOMPARE(printer.ended, 1);
    QCOMPARE(printer.calls.last(), QStringLiteral("EndDoc"));
    QCOMPARE(printer.calls.count(QStringLiteral("EndDoc")), 1);
}

void TestResultSheet::changesNothingInTheGameButTheTotal()
{
    GameState state = Game({"1000", "꽝"});
    state.gMemberCount = 2;
    state.mStartedCount = 2;
    FakeSource source(Names(2));
    RecordingPrinter printer;
    Print(state, printer, source);

    QCOMPARE(state.gMemberCount, std::int16_t(2));
    QCOMPARE(state.mStartedCount, std::int16_t(2));
    QCOMPARE(state.gResults.Count(), 2);
    QCOMPARE(state.gResults(1), QStringLiteral("1000"));
    QCOMPARE(state.gResults(2), QStringLiteral("꽝"));
}

void TestResultSheet::printerFailureStopsTheSheet()
{
    GameState state = Game({"1", "2", "3"});
    FakeSource source(Names(3));
    RecordingPrinter printer;
    printer.failOn = [](const QString &call) { return call == QLatin1String("Print(P2)"); };
    QVERIFY_THROWS_EXCEPTION(PrinterError, Print(state, printer, source));

    QCOMPARE(printer.ended, 0);
    QCOMPARE(printer.calls.last(), QStringLiteral("ForeColor(255,0,0)"));
    QVERIFY(!printer.calls.contains(LineCall(100, 90, 150, 90)));
}

QTEST_MAIN(TestResultSheet)
#include "test_result_sheet.moc"
