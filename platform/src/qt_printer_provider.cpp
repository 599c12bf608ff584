#include "platform/qt_printer_provider.h"

#include "platform/busy_wait.h"
#include "platform/pdf_file.h"
#include "platform/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Two documents within one second get " (2)", " (3)", ... rather than one
// overwriting the other; past this many something else is wrong.
constexpr int kMaxSameNamed = 99;

const QString kJobTitle = QStringLiteral("Kapuna 결과");

PrintSystem::Deadline Deadline()
{
    return std::chrono::steady_clock::now() + QtPrinterProvider::kPrintSystemTimeout;
}

// Clears a flag however the scope is left.
class BusyFlag
{
public:
    explicit BusyFlag(bool &flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~BusyFlag() { flag_ = false; }

private:
    bool &flag_;
};

} // namespace

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument)
    : QtPrinterProvider(std::move(openDocument), PrintSystem::ForThisSystem(), QString(),
                        &QDateTime::currentDateTime)
{
}

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument,
                                     std::unique_ptr<PrintSystem> printSystem, QString pdfFolder,
                                     std::function<QDateTime()> now)
    : openDocument_(std::move(openDocument))
    , printSystem_(std::move(printSystem))
    , pdfFolder_(std::move(pdfFolder))
    , now_(std::move(now))
{
}

QtPrinterProvider::~QtPrinterProvider() = default;

QString QtPrinterProvider::PdfFileName(const QDateTime &madeAt)
{
    return QStringLiteral("Kapuna 결과 %1.pdf")
        .arg(madeAt.toString(QStringLiteral("yyyy-MM-dd HHmmss")));
}

QString QtPrinterProvider::DefaultPdfFolder()
{
    // Without HOME, Qt takes the root for the home folder and would offer
    // "/Documents".
    const QFileInfo home(QDir::homePath());
    const bool homeUsable = home.isAbsolute() && !home.isRoot() && home.isDir();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (homeUsable && !documents.isEmpty() && !QFileInfo(documents).isRoot())
        return QDir::cleanPath(QFileInfo(documents).absoluteFilePath());
    return QDir::cleanPath(QDir::tempPath());
}

void QtPrinterProvider::RunJob(const std::function<void(Printer &)> &job)
{
    // One press, one sheet: a press during a print, or right after one,
    // makes no second sheet.
    if (busy_)
        return;
    if (lastHandedOver_.isValid()) {
        const qint64 since = lastHandedOver_.msecsTo(now_());
        if (since >= 0 && since < kRepeatPressGuard.count())
            return;
    }
    const BusyFlag busy(busy_);

    std::optional<PrinterDestination> printer;
    if (printSystem_)
        RunWhileBusy([&] { printer = printSystem_->DefaultPrinter(Deadline()); });

    QtPrinter page([&](const QtPrinter &finished) {
        if (printer)
            SendToPrinter(finished, *printer);
        else
            SaveStandIn(finished);
        lastHandedOver_ = now_();
    });
    job(page);
}

void QtPrinterProvider::SendToPrinter(const QtPrinter &page, const PrinterDestination &printer)
{
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("kapuna-sheet-XXXXXX.pdf")));
    if (!file.open())
        throw PrinterError("no temporary file for the job");
    page.WritePdf(file, printer.marginsMm);
    // A truncated file (a full temporary folder) must not go out as a job.
    const qint64 written = file.pos();
    if (!file.flush() || file.error() != QFileDevice::NoError || file.size() != written)
        throw PrinterError("the job's file could not be written");
    const QString path = file.fileName();
    RunWhileBusy([&] { printSystem_->Submit(printer, path, kJobTitle, Deadline()); });
}

void QtPrinterProvider::SaveStandIn(const QtPrinter &page)
{
    const QString folder = pdfFolder_.isEmpty() ? DefaultPdfFolder()
                                                : QDir::cleanPath(QFileInfo(pdfFolder_).absoluteFilePath());
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw StandInError("no folder for the document",
                           QStringLiteral("결과표를 저장할 폴더를 만들 수 없습니다: %1")
                               .arg(QDir::toNativeSeparators(folder)));

    const QDir dir(folder);
    const QString name = PdfFileName(now_());
    const QString stem = name.chopped(4); // ".pdf"
    for (int n = 1; n <= kMaxSameNamed; ++n) {
        const QString path = dir.filePath(n == 1 ? name : QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
        if (pdf_file::Save(page, path, QMarginsF(), pdf_file::Existing::Keep)) {
            if (openDocument_ && openDocument_(path))
                return;
            // Without a viewer the sheet would be made without a word of
            // where it went. It is complete and handed over all the same.
            lastHandedOver_ = now_();
            throw StandInError("no viewer took the document",
                               QStringLiteral("결과표를 PDF로 저장했습니다: %1")
                                   .arg(QDir::toNativeSeparators(path)));
        }
    }
    throw StandInError("no free name for the document",
                       QStringLiteral("결과표 PDF의 이름을 정할 수 없습니다 (같은 이름이 모두 있습니다): %1")
                           .arg(QDir::toNativeSeparators(folder)));
}
