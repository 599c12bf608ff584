#include "platform/qt_printer_provider.h"

#include "platform/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Two documents within one second get " (2)", " (3)", ... rather than one
// overwriting the other; past this many something else is wrong.
constexpr int kMaxSameNamed = 99;

} // namespace

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument)
    : QtPrinterProvider(std::move(openDocument), &QPrinterInfo::defaultPrinter, QString(),
                        &QDateTime::currentDateTime)
{
}

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument,
                                     std::function<QPrinterInfo()> defaultPrinter,
                                     QString pdfFolder, std::function<QDateTime()> now)
    : openDocument_(std::move(openDocument))
    , defaultPrinter_(std::move(defaultPrinter))
    , pdfFolder_(std::move(pdfFolder))
    , now_(std::move(now))
{
}

QString QtPrinterProvider::PdfFileName(const QDateTime &madeAt)
{
    return QStringLiteral("Kapuna 결과 %1.pdf")
        .arg(madeAt.toString(QStringLiteral("yyyy-MM-dd HHmmss")));
}

QString QtPrinterProvider::UnusedPdfPath() const
{
    const QString folder = pdfFolder_.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        : pdfFolder_;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw PrinterError("no folder for the document");

    const QDir dir(folder);
    const QString name = PdfFileName(now_());
    QString path = dir.filePath(name);
    const QString stem = name.chopped(4); // ".pdf"
    for (int n = 2; QFileInfo::exists(path); ++n) {
        if (n > kMaxSameNamed)
            throw PrinterError("no free name for the document");
        path = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
    }
    return path;
}

void QtPrinterProvider::RunJob(const std::function<void(Printer &)> &job)
{
    const QPrinterInfo device = defaultPrinter_();
    if (!device.isNull()) {
        QtPrinter printer(device);
        job(printer);
        return;
    }
    QtPrinter printer(UnusedPdfPath(), openDocument_);
    job(printer);
}
