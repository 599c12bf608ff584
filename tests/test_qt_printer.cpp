#include "widgets/fonts.h"
#include "platform/qt_printer.h"
#include "platform/qt_printer_provider.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

// The Qt printer writing real PDF files: the stand-in for a missing default
// printer, its file names and failures, and the printer's units.
class TestQtPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void standInWritesADatedPdfAndOpensItWhenComplete();
    void takenNameGetsANumberAndARepeatedPressNoSheet();
    void standInNoViewerTakesSaysWhereItIs();
    void withoutAHomeTheStandInUsesTheTemporaryFolder();
    void folderThatCannotBeMadeSaysWhere();
    void abandonedJobLeavesNoFileAndOpensNothing();
    void fileThatCannotBeWrittenSaysWhere();
    void documentWithoutOutputSendsNoPage();
    void endedDocumentTakesNoMoreOutput();
    void invalidValuesArePrinterErrors();
    void picturesKeepTheirPhysicalSize();
    void textExtentsAreInMillimetresOfTheFontSize_data();
    void textExtentsAreInMillimetresOfTheFontSize();
    void printMovesToTheStartOfTheNextLine();
    void orientationDecidesThePageShape_data();
    void orientationDecidesThePageShape();

private:
    QTemporaryDir dir_;
};

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(15, 30, 12));

void PrintSomething(Printer &printer)
{
    printer.SetPaperSize(PaperSize::A4);
    printer.SetScaleUnit(ScaleUnit::Millimetres);
    printer.SetFontName(QStringLiteral("굴림"));
    printer.SetFontSize(15);
    printer.SetCurrentX(45);
    printer.SetCurrentY(30);
    printer.Print(QStringLiteral("KAPUNA 게임 결과"));
    printer.Line(30, 70, 50, 80);
}

} // namespace

void TestQtPrinter::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
    QVERIFY(dir_.isValid());
}

void TestQtPrinter::standInWritesADatedPdfAndOpensItWhenComplete()
{
    const QString folder = dir_.filePath(QStringLiteral("dated/documents"));
    QStringList opened;
    QByteArray headWhenOpened;
    QtPrinterProvider provider(
        [&](const QString &path) {
            opened << path;
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                headWhenOpened = file.read(5);
            return true;
        },
        nullptr, folder, [] { return kAt; });

    provider.RunJob([&](Printer &printer) {
        PrintSomething(printer);
        QVERIFY(opened.isEmpty()); // nothing before the end
        printer.EndDoc();
    });

    const QString expected = QDir(folder).filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf"));
    QCOMPARE(opened, QStringList{expected});
    QCOMPARE(headWhenOpened, QByteArray("%PDF-"));
    QCOMPARE(QtPrinterProvider::PdfFileName(kAt), QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf"));
}

void TestQtPrinter::takenNameGetsANumberAndARepeatedPressNoSheet()
{
    const QString folder = dir_.filePath(QStringLiteral("same-second"));
    QVERIFY(QDir().mkpath(folder));
    const QDir dir(folder);
    QFile taken(dir.filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf")));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();

    QDateTime now = kAt;
    QStringList opened;
    QtPrinterProvider provider([&](const QString &path) {
        opened << path;
        return true;
    }, nullptr, folder,
                               [&] { return now; });
    int jobs = 0;
    const auto press = [&] {
        provider.RunJob([&](Printer &printer) {
            ++jobs;
            PrintSomething(printer);
            printer.EndDoc();
        });
    };
    press();
    now = now.addMSecs(QtPrinterProvider::kRepeatPressGuard.count() - 1);
    press(); // while the viewer opens: the same press
    now = now.addMSecs(1);
    press();

    QCOMPARE(jobs, 2);
    QCOMPARE(opened, (QStringList{dir.filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012 (2).pdf")),
                                  dir.filePath(QStringLiteral("Kapuna 결과 2026-12-08 153014.pdf"))}));
    QCOMPARE(QFileInfo(taken).size(), 0); // left alone
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void TestQtPrinter::standInNoViewerTakesSaysWhereItIs()
{
    const QString folder = dir_.filePath(QStringLiteral("no-viewer"));
    int offered = 0;
    QtPrinterProvider provider([&](const QString &) { return ++offered < 0; }, nullptr, folder,
                               [] { return kAt; });
    const auto press = [&] {
        provider.RunJob([&](Printer &printer) {
            PrintSomething(printer);
            printer.EndDoc();
        });
    };
    const QString path = QDir(folder).filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf"));
    try {
        press();
        QFAIL("the sheet went unmentioned");
    } catch (const StandInError &error) {
        QCOMPARE(error.message(), QStringLiteral("결과표를 PDF로 저장했습니다: ") + path);
    }
    QVERIFY(QFileInfo(path).size() > 0);
    press(); // at the same moment: the same press, no second sheet
    QCOMPARE(offered, 1);
}

void TestQtPrinter::withoutAHomeTheStandInUsesTheTemporaryFolder()
{
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    const QString folder = QtPrinterProvider::DefaultPdfFolder();
    qputenv("HOME", home);
    QCOMPARE(folder, QDir::cleanPath(QDir::tempPath()));
}

void TestQtPrinter::folderThatCannotBeMadeSaysWhere()
{
    const QString file = dir_.filePath(QStringLiteral("a-file"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    QStringList opened;
    const QString folder = file + QStringLiteral("/below");
    QtPrinterProvider provider([&](const QString &path) {
        opened << path;
        return true;
    }, nullptr, folder,
                               [] { return kAt; });
    try {
        provider.RunJob([&](Printer &printer) {
            PrintSomething(printer);
            printer.EndDoc();
        });
        QFAIL("no error");
    } catch (const StandInError &error) {
        QVERIFY2(error.message().endsWith(QStringLiteral(": ") + folder), qPrintable(error.message()));
    }
    QVERIFY(opened.isEmpty());
}

void TestQtPrinter::abandonedJobLeavesNoFileAndOpensNothing()
{
    const QString folder = dir_.filePath(QStringLiteral("abandoned"));
    QStringList opened;
    QtPrinterProvider provider([&](const QString &path) {
        opened << path;
        return true;
    }, nullptr, folder,
                               [] { return kAt; });
    QVERIFY_THROWS_EXCEPTION(PrinterError, provider.RunJob([](Printer &printer) {
        PrintSomething(printer);
        throw PrinterError("the printer went away");
    }));
    QVERIFY(opened.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
}

void TestQtPrinter::fileThatCannotBeWrittenSaysWhere()
{
    bool finished = false;
    const QString folder = dir_.filePath(QStringLiteral("missing-folder"));
    QtPrinter printer(folder + QStringLiteral("/sheet.pdf"), [&](const QString &) { finished = true; });
    PrintSomething(printer);
    try {
        printer.EndDoc();
        QFAIL("no error");
    } catch (const StandInError &error) {
        QCOMPARE(error.message(), QStringLiteral("결과표를 PDF로 저장하지 못했습니다: ") + folder);
    }
    QVERIFY(!finished);
}

void TestQtPrinter::documentWithoutOutputSendsNoPage()
{
    const QString path = dir_.filePath(QStringLiteral("empty.pdf"));
    bool finished = false;
    QtPrinter printer(path, [&](const QString &) { finished = true; });
    printer.SetPaperSize(PaperSize::A4);
    printer.EndDoc();
    QVERIFY(!finished);
    QVERIFY(!QFile::exists(path));
}

void TestQtPrinter::endedDocumentTakesNoMoreOutput()
{
    QtPrinter printer(dir_.filePath(QStringLiteral("ended.pdf")), {});
    PrintSomething(printer);
    printer.EndDoc();
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.Print(QStringLiteral("more")));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.Line(0, 0, 1, 1));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.EndDoc());
}

void TestQtPrinter::invalidValuesArePrinterErrors()
{
    QtPrinter printer(dir_.filePath(QStringLiteral("invalid.pdf")), {});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.SetFontSize(0));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.SetFontSize(-3));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.SetCurrentX(nan));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.SetCurrentY(inf));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.Line(0, 0, nan, 1));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.PaintPicture(QPixmap(4, 4), inf, 0));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.SetForeColor(QColor()));
}

void TestQtPrinter::picturesKeepTheirPhysicalSize()
{
    // 32 pixels are 480 twips, a third of an inch.
    const QSizeF size = QtPrinter::PictureSizeMm(QSizeF(32, 32));
    QCOMPARE(size.width(), 25.4 / 3);
    QCOMPARE(size.height(), 25.4 / 3);
    QCOMPARE(QtPrinter::PictureSizeMm(QSizeF(96, 48)), QSizeF(25.4, 12.7));
}

void TestQtPrinter::textExtentsAreInMillimetresOfTheFontSize_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("date line") << 10.0;
    QTest::newRow("table") << 15.0;
    QTest::newRow("title") << 30.0;
}

void TestQtPrinter::textExtentsAreInMillimetresOfTheFontSize()
{
    QFETCH(double, points);

    QtPrinter printer(dir_.filePath(QStringLiteral("extents.pdf")), {});
    printer.SetFontName(QStringLiteral("굴림"));
    printer.SetFontBold(true);
    printer.SetFontSize(points);
    const double em = points * 25.4 / 72;
    const float height = printer.TextHeight(QStringLiteral("당첨내역"));
    QVERIFY2(height > 0.9 * em && height < 1.5 * em, qPrintable(QString::number(height)));
    // Hangul syllables are square: four of them are about four ems wide.
    const float width = printer.TextWidth(QStringLiteral("당첨내역"));
    QVERIFY2(width > 3.2 * em && width < 4.4 * em, qPrintable(QString::number(width)));
    QCOMPARE(printer.TextWidth(QString()), 0.0f);

    printer.SetFontSize(points * 2);
    QVERIFY(std::abs(printer.TextWidth(QStringLiteral("당첨내역")) - 2 * width) < 0.02 * width);
}

void TestQtPrinter::printMovesToTheStartOfTheNextLine()
{
    QtPrinter printer(dir_.filePath(QStringLiteral("lines.pdf")), {});
    printer.SetFontName(QStringLiteral("굴림"));
    printer.SetFontSize(15);
    printer.SetCurrentX(45.5f);
    printer.SetCurrentY(30.25f);
    QCOMPARE(printer.CurrentX(), 45.5f);
    QCOMPARE(printer.CurrentY(), 30.25f);
    const float height = printer.TextHeight(QStringLiteral("이 름"));
    printer.Print(QStringLiteral("이 름"));
    QCOMPARE(printer.CurrentX(), 0.0f);
    QCOMPARE(printer.CurrentY(), 30.25f + height);
}

void TestQtPrinter::orientationDecidesThePageShape_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("portrait");
    QTest::newRow("portrait") << int(PageOrientation::Portrait) << true;
    QTest::newRow("landscape") << int(PageOrientation::Landscape) << false;
}

void TestQtPrinter::orientationDecidesThePageShape()
{
    QFETCH(int, orientation);
    QFETCH(bool, portrait);

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");

    const QString path = dir_.filePath(QStringLiteral("orientation-%1.pdf").arg(orientation));
    QtPrinter printer(path, {});
    printer.SetOrientation(PageOrientation(orientation));
    PrintSomething(printer);
    printer.EndDoc();

    QProcess info;
    info.start(pdfinfo, {path});
    QVERIFY(info.waitForFinished());
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    const QString size = portrait ? QStringLiteral("595 x 842") : QStringLiteral("842 x 595");
    QVERIFY2(out.contains(QStringLiteral("Page size:       ") + size), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("Pages:           1")));
}

QTEST_MAIN(TestQtPrinter)
#include "test_qt_printer.moc"
