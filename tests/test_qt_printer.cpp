#include "widgets/fonts.h"
#include "platform/pdf_file.h"
#include "platform/print_system.h"
#include "platform/printer_error.h"
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
#include <memory>
#include <optional>

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
    void printSystemAnswersBecomeOutcomes_data();
    void printSystemAnswersBecomeOutcomes();
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

// A print system that answers as the test says. Its calls run on threads of
// their own, so what it saw is shared and read once the call has ended.
struct Script
{
    enum class Lookup { Ready, NoDefault, Broken };
    Lookup lookup = Lookup::Ready;
    // Empty: the job is refused.
    std::optional<PrintSystem::Sent> answer;
    QList<QByteArray> submitted;
};

class ScriptedPrintSystem final : public PrintSystem
{
public:
    explicit ScriptedPrintSystem(std::shared_ptr<Script> script)
        : script_(std::move(script))
    {
    }
    std::optional<PrinterDestination> DefaultPrinter(Deadline) override
    {
        if (script_->lookup == Script::Lookup::Broken)
            throw PrinterError("the default printer does not exist");
        if (script_->lookup == Script::Lookup::NoDefault)
            return std::nullopt;
        return PrinterDestination{QStringLiteral("Queue"), QMarginsF(6, 10, 8, 12)};
    }
    Sent Submit(const PrinterDestination &, const QByteArray &pdf, const QString &, Deadline,
                std::atomic<bool> &documentLeft) override
    {
        script_->submitted << pdf;
        if (!script_->answer)
            throw PrinterError("the job was refused");
        documentLeft = true;
        return *script_->answer;
    }

private:
    std::shared_ptr<Script> script_;
};

} // namespace

Q_DECLARE_METATYPE(Outcome::Kind)
Q_DECLARE_METATYPE(Script::Lookup)
Q_DECLARE_METATYPE(std::optional<PrintSystem::Sent>)

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

    const Outcome outcome = provider.RunJob([&](Printer &printer) {
        PrintSomething(printer);
        QVERIFY(opened.isEmpty()); // nothing before the end
        printer.EndDoc();
    });

    const QString expected = QDir(folder).filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf"));
    QCOMPARE(outcome, (Outcome{Outcome::Kind::StandInShown, expected}));
    QCOMPARE(opened, QStringList{expected});
    QCOMPARE(headWhenOpened, QByteArray("%PDF-"));
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
    QList<Outcome::Kind> during;
    std::function<Outcome::Kind()> press = [&] {
        return provider
            .RunJob([&](Printer &printer) {
                ++jobs;
                // A press while this one is still printing.
                if (jobs == 1)
                    during << press();
                PrintSomething(printer);
                printer.EndDoc();
            })
            .kind;
    };
    QCOMPARE(press(), Outcome::Kind::StandInShown);
    QCOMPARE(during, QList<Outcome::Kind>{Outcome::Kind::SamePress});
    now = now.addMSecs(QtPrinterProvider::kRepeatPressGuard.count() - 1);
    QCOMPARE(press(), Outcome::Kind::SamePress); // while the viewer opens: the same press
    now = now.addMSecs(1);
    QCOMPARE(press(), Outcome::Kind::StandInShown);

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
        return provider.RunJob([&](Printer &printer) {
            PrintSomething(printer);
            printer.EndDoc();
        });
    };
    const QString path = QDir(folder).filePath(QStringLiteral("Kapuna 결과 2026-12-08 153012.pdf"));
    QCOMPARE(press(), (Outcome{Outcome::Kind::StandInSaved, path}));
    QVERIFY(QFileInfo(path).size() > 0);
    // At the same moment: the same press, no second sheet.
    QCOMPARE(press(), Outcome{Outcome::Kind::SamePress});
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
    const Outcome outcome = provider.RunJob([&](Printer &printer) {
        PrintSomething(printer);
        printer.EndDoc();
    });
    QCOMPARE(outcome, (Outcome{Outcome::Kind::NoFolder, folder}));
    QVERIFY(opened.isEmpty());
}

void TestQtPrinter::printSystemAnswersBecomeOutcomes_data()
{
    QTest::addColumn<Script::Lookup>("lookup");
    QTest::addColumn<std::optional<PrintSystem::Sent>>("answer");
    QTest::addColumn<Outcome::Kind>("kind");
    QTest::addColumn<int>("submitted");
    QTest::addColumn<bool>("standIn");
    QTest::addColumn<bool>("sheetMade");

    using L = Script::Lookup;
    using K = Outcome::Kind;
    const auto confirmed = std::optional(PrintSystem::Sent::Confirmed);
    const auto unconfirmed = std::optional(PrintSystem::Sent::Unconfirmed);
    const std::optional<PrintSystem::Sent> refused;
    QTest::newRow("printed") << L::Ready << confirmed << K::Printed << 1 << false << true;
    QTest::newRow("sent, not confirmed") << L::Ready << unconfirmed << K::Unconfirmed << 1 << false << true;
    QTest::newRow("job refused") << L::Ready << refused << K::PrinterFailure << 1 << false << false;
    QTest::newRow("named default missing") << L::Broken << confirmed << K::PrinterFailure << 0 << false << false;
    QTest::newRow("no default printer") << L::NoDefault << confirmed << K::StandInShown << 0 << true << true;
}

// Only a system without a default printer gets the PDF; a sheet that left
// counts as made, so a press right after it is the same press, while a
// press after a failure prints.
void TestQtPrinter::printSystemAnswersBecomeOutcomes()
{
    QFETCH(Script::Lookup, lookup);
    QFETCH(std::optional<PrintSystem::Sent>, answer);
    QFETCH(Outcome::Kind, kind);
    QFETCH(int, submitted);
    QFETCH(bool, standIn);
    QFETCH(bool, sheetMade);

    const QString folder = dir_.filePath(QStringLiteral("answers/%1").arg(QTest::currentDataTag()));
    auto script = std::make_shared<Script>();
    script->lookup = lookup;
    script->answer = answer;
    QtPrinterProvider provider([](const QString &) { return true; }, std::make_unique<ScriptedPrintSystem>(script),
                               folder, [] { return kAt; });
    const auto press = [&] {
        return provider.RunJob([](Printer &printer) {
            PrintSomething(printer);
            printer.EndDoc();
        });
    };

    QCOMPARE(press().kind, kind);
    QCOMPARE(script->submitted.size(), submitted);
    for (const QByteArray &pdf : script->submitted)
        QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(QFileInfo::exists(folder), standIn);
    QCOMPARE(press().kind, sheetMade ? Outcome::Kind::SamePress : kind);
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
    const Outcome outcome = provider.RunJob([](Printer &printer) {
        PrintSomething(printer);
        throw PrinterError("the printer went away");
    });
    QCOMPARE(outcome, Outcome{Outcome::Kind::PrinterFailure});
    QVERIFY(opened.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
}

void TestQtPrinter::fileThatCannotBeWrittenSaysWhere()
{
    const QString folder = dir_.filePath(QStringLiteral("missing-folder"));
    const Outcome outcome = pdf_file::SaveDocument(folder + QStringLiteral("/sheet.pdf"), [](Printer &printer) {
        PrintSomething(printer);
        printer.EndDoc();
    });
    QCOMPARE(outcome, (Outcome{Outcome::Kind::SheetNotSaved, folder}));
    QVERIFY(!QFileInfo::exists(folder));
}

void TestQtPrinter::documentWithoutOutputSendsNoPage()
{
    bool delivered = false;
    QtPrinter printer([&](const QtPrinter &) { delivered = true; });
    printer.SetPaperSize(PaperSize::A4);
    printer.EndDoc();
    QVERIFY(!delivered);
}

void TestQtPrinter::endedDocumentTakesNoMoreOutput()
{
    QtPrinter printer{QtPrinter::Deliver()};
    PrintSomething(printer);
    printer.EndDoc();
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.Print(QStringLiteral("more")));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.Line(0, 0, 1, 1));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.EndDoc());
}

void TestQtPrinter::invalidValuesArePrinterErrors()
{
    QtPrinter printer{QtPrinter::Deliver()};
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
    const QSizeF size = Printer::PictureSizeMm(QSizeF(32, 32));
    QCOMPARE(size.width(), 25.4 / 3);
    QCOMPARE(size.height(), 25.4 / 3);
    QCOMPARE(Printer::PictureSizeMm(QSizeF(96, 48)), QSizeF(25.4, 12.7));
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

    QtPrinter printer{QtPrinter::Deliver()};
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
    QtPrinter printer{QtPrinter::Deliver()};
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
    const Outcome outcome = pdf_file::SaveDocument(path, [&](Printer &printer) {
        printer.SetOrientation(PageOrientation(orientation));
        PrintSomething(printer);
        printer.EndDoc();
    });
    QCOMPARE(outcome, (Outcome{Outcome::Kind::Saved, path}));

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
