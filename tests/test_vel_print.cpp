#include "print/vel_print.h"
#include "support/recording_printer.h"

#include <QTest>

using VelPrint::AlignCenter;
using VelPrint::AlignLeft;
using VelPrint::AlignRight;
using VelPrint::DrawBox;
using VelPrint::DrawLine;
using VelPrint::PrintInBox;

// The primitives every line and text of the result sheet goes through.
class TestVelPrint : public QObject
{
    Q_OBJECT

private slots:
    void recordKeepsTopBottomLeftRightOrder();
    void drawLineIsOneLineInTheCurrentColour();
    void drawBoxIsFourLinesTopRightBottomLeft();
    void linesBeforeAnyTextTakeThePrintersDefaultColour();
    void linesAfterATextAreRed();
    void placesTextHorizontally_data();
    void placesTextHorizontally();
    void centresVerticallyForEveryAlignment_data();
    void centresVerticallyForEveryAlignment();
    void measuresThenPositionsThenColoursThenPrints_data();
    void measuresThenPositionsThenColoursThenPrints();
    void textWiderThanItsCellIsNotClipped_data();
    void textWiderThanItsCellIsNotClipped();
    void emptyTextTouchesNothing();
    void foregroundStaysRedAfterwards();
    void cellExtentsUpToSixteenBitsAreFine();
    void cellExtentBeyondSixteenBitsIsAPrinterError_data();
    void cellExtentBeyondSixteenBitsIsAPrinterError();
    void printerFailurePassesThrough();
};

namespace {

// A 15-point text of n characters is 3n wide and 6 high on the recorder.
RecordingPrinter FifteenPointPrinter()
{
    RecordingPrinter printer;
    printer.points = 15;
    return printer;
}

} // namespace

void TestVelPrint::recordKeepsTopBottomLeftRightOrder()
{
    const PrintRect rect{1, 2, 3, 4};
    QCOMPARE(int(rect.Top), 1);
    QCOMPARE(int(rect.Bottom), 2);
    QCOMPARE(int(rect.Left), 3);
    QCOMPARE(int(rect.Right), 4);
    QCOMPARE(int(AlignLeft), 1);
    QCOMPARE(int(AlignCenter), 2);
    QCOMPARE(int(AlignRight), 3);
}

void TestVelPrint::drawLineIsOneLineInTheCurrentColour()
{
    RecordingPrinter printer;
    printer.colour = Qt::blue;
    DrawLine(printer, 30, 70, 50, 80);
    QCOMPARE(printer.calls, QStringList{"Line(30,70,50,80)"});
    QCOMPARE(printer.lines.size(), 1);
    QCOMPARE(printer.lines.at(0).colour, QColor(Qt::blue));
}

void TestVelPrint::drawBoxIsFourLinesTopRightBottomLeft()
{
    RecordingPrinter printer;
    DrawBox(printer, 30, 70, 50, 80);
    const QStringList expected{"Line(30,70,50,70)", "Line(50,70,50,80)", "Line(50,80,30,80)",
                               "Line(30,80,30,70)"};
    QCOMPARE(printer.calls, expected);
}

void TestVelPrint::linesBeforeAnyTextTakeThePrintersDefaultColour()
{
    RecordingPrinter printer;
    DrawBox(printer, 30, 70, 50, 80);
    for (const auto &line : printer.lines)
        QCOMPARE(line.colour, QColor(Qt::black));
}

void TestVelPrint::linesAfterATextAreRed()
{
    RecordingPrinter printer = FifteenPointPrinter();
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, QStringLiteral("이 름"), AlignCenter);
    DrawBox(printer, 30, 70, 50, 80);
    QCOMPARE(printer.lines.size(), 4);
    for (const auto &line : printer.lines)
        QCOMPARE(line.colour, QColor(255, 0, 0));
}

void TestVelPrint::placesTextHorizontally_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<float>("x");

    // "abcd" at 15 points is 12 wide in the cell 50..100.
    QTest::newRow("left: half a unit in") << 1 << 50.5f;
    QTest::newRow("centre") << 2 << 69.0f;
    QTest::newRow("right: half a unit in") << 3 << 87.5f;
    QTest::newRow("zero acts as right") << 0 << 87.5f;
    QTest::newRow("four acts as right") << 4 << 87.5f;
    QTest::newRow("negative acts as right") << -1 << 87.5f;
    QTest::newRow("large acts as right") << 32767 << 87.5f;
}

void TestVelPrint::placesTextHorizontally()
{
    QFETCH(int, align);
    QFETCH(float, x);

    RecordingPrinter printer = FifteenPointPrinter();
    const std::int16_t code = std::int16_t(align);
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, QStringLiteral("abcd"), code);
    QCOMPARE(printer.texts.size(), 1);
    QCOMPARE(printer.texts.at(0).x, x);
}

void TestVelPrint::centresVerticallyForEveryAlignment_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<float>("y");

    // The text is 6 high.
    for (int align : {1, 2, 3, 0}) {
        const QByteArray a = QByteArray::number(align);
        QTest::newRow("10 high, align " + a) << align << 70 << 80 << 72.0f;
        QTest::newRow("25 high, align " + a) << align << 30 << 55 << 39.5f;
        QTest::newRow("4 high, align " + a) << align << 10 << 14 << 9.0f;
        QTest::newRow("upside down, align " + a) << align << 80 << 70 << 72.0f;
        QTest::newRow("negative, align " + a) << align << -20 << -10 << -18.0f;
    }
}

void TestVelPrint::centresVerticallyForEveryAlignment()
{
    QFETCH(int, align);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(float, y);

    RecordingPrinter printer = FifteenPointPrinter();
    PrintInBox(printer, PrintRect{std::int16_t(top), std::int16_t(bottom), 50, 100},
               QStringLiteral("abcd"), std::int16_t(align));
    QCOMPARE(printer.texts.size(), 1);
    QCOMPARE(printer.texts.at(0).y, y);
}

void TestVelPrint::measuresThenPositionsThenColoursThenPrints_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("left needs no width")
        << 1
        << QStringList{"CurrentX(50.5)", "TextHeight(abcd)", "CurrentY(72)", "ForeColor(255,0,0)",
                       "Print(abcd)"};
    QTest::newRow("centre")
        << 2
        << QStringList{"TextWidth(abcd)", "CurrentX(69)", "TextHeight(abcd)", "CurrentY(72)",
                       "ForeColor(255,0,0)", "Print(abcd)"};
    QTest::newRow("right")
        << 3
        << QStringList{"TextWidth(abcd)", "CurrentX(87.5)", "TextHeight(abcd)", "CurrentY(72)",
                       "ForeColor(255,0,0)", "Print(abcd)"};
}

void TestVelPrint::measuresThenPositionsThenColoursThenPrints()
{
    QFETCH(int, align);
    QFETCH(QStringList, calls);

    RecordingPrinter printer = FifteenPointPrinter();
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, QStringLiteral("abcd"), std::int16_t(align));
    QCOMPARE(printer.calls, calls);
    QCOMPARE(printer.texts.at(0).colour, QColor(255, 0, 0));
}

void TestVelPrint::textWiderThanItsCellIsNotClipped_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<float>("x");

    // Twenty characters are 60 wide in a cell 50 wide: 10 too wide.
    QTest::newRow("left runs over the right edge") << 1 << 50.5f;
    QTest::newRow("centre starts half the excess left of Left") << 2 << 45.0f;
    QTest::newRow("right starts left of Left") << 3 << 39.5f;
}

void TestVelPrint::textWiderThanItsCellIsNotClipped()
{
    QFETCH(int, align);
    QFETCH(float, x);

    RecordingPrinter printer = FifteenPointPrinter();
    const QString text(20, QLatin1Char('w'));
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, text, std::int16_t(align));
    QCOMPARE(printer.texts.size(), 1);
    QCOMPARE(printer.texts.at(0).text, text);
    QCOMPARE(printer.texts.at(0).x, x);
}

void TestVelPrint::emptyTextTouchesNothing()
{
    RecordingPrinter printer = FifteenPointPrinter();
    printer.colour = Qt::blue;
    printer.x = 12.5f;
    printer.y = 34.5f;
    for (std::int16_t align : {1, 2, 3})
        PrintInBox(printer, PrintRect{70, 80, 50, 100}, QString(), align);
    QCOMPARE(printer.calls, QStringList());
    QCOMPARE(printer.colour, QColor(Qt::blue));
    QCOMPARE(printer.x, 12.5f);
    QCOMPARE(printer.y, 34.5f);
}

void TestVelPrint::foregroundStaysRedAfterwards()
{
    RecordingPrinter printer = FifteenPointPrinter();
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, QStringLiteral("a"), AlignLeft);
    PrintInBox(printer, PrintRect{70, 80, 50, 100}, QString(), AlignLeft);
    QCOMPARE(printer.colour, QColor(255, 0, 0));
}

void TestVelPrint::cellExtentsUpToSixteenBitsAreFine()
{
    RecordingPrinter printer = FifteenPointPrinter();
    PrintInBox(printer, PrintRect{-1, 32766, -1, 32766}, QStringLiteral("ab"), AlignCenter);
    QCOMPARE(printer.texts.size(), 1);
    QCOMPARE(printer.texts.at(0).x, -1.0f + (32767.0f - 6.0f) / 2.0f);
    QCOMPARE(printer.texts.at(0).y, -1.0f + (32767.0f - 6.0f) / 2.0f);

    // Left and right alignment never form the width, so any cell will do.
    PrintInBox(printer, PrintRect{70, 80, -30000, 30000}, QStringLiteral("ab"), AlignLeft);
    PrintInBox(printer, PrintRect{70, 80, -30000, 30000}, QStringLiteral("ab"), AlignRight);
    QCOMPARE(printer.texts.size(), 3);
    QCOMPARE(printer.texts.at(1).x, -29999.5f);
    QCOMPARE(printer.texts.at(2).x, 30000.0f - 6.0f - 0.5f);
}

void TestVelPrint::cellExtentBeyondSixteenBitsIsAPrinterError_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("align");

    QTest::newRow("wide, centred") << 0 << 10 << -2 << 32766 << 2;
    QTest::newRow("wide, centred again") << 0 << 10 << -30000 << 30000 << 2;
    QTest::newRow("wide the other way, centred") << 0 << 10 << 30000 << -30000 << 2;
    QTest::newRow("tall, left") << -20000 << 20000 << 50 << 100 << 1;
    QTest::newRow("tall, centred") << -32768 << 32767 << 50 << 100 << 2;
    QTest::newRow("tall the other way") << 32767 << -32768 << 50 << 100 << 3;
}

void TestVelPrint::cellExtentBeyondSixteenBitsIsAPrinterError()
{
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, align);

    RecordingPrinter printer = FifteenPointPrinter();
    const PrintRect rect{std::int16_t(top), std::int16_t(bottom), std::int16_t(left),
                         std::int16_t(right)};
    QVERIFY_THROWS_EXCEPTION(PrinterError,
                             PrintInBox(printer, rect, QStringLiteral("ab"), std::int16_t(align)));
    QCOMPARE(printer.texts.size(), 0);
    QCOMPARE(printer.colour, QColor(Qt::black));
}

void TestVelPrint::printerFailurePassesThrough()
{
    RecordingPrinter printer = FifteenPointPrinter();
    printer.failOn = [](const QString &call) { return call.startsWith("CurrentY"); };
    QVERIFY_THROWS_EXCEPTION(PrinterError, PrintInBox(printer, PrintRect{70, 80, 50, 100},
                                                      QStringLiteral("ab"), AlignLeft));
    QCOMPARE(printer.texts.size(), 0);
    QVERIFY(!printer.calls.contains("ForeColor(255,0,0)"));
}

QTEST_MAIN(TestVelPrint)
#include "test_vel_print.moc"
