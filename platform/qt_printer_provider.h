#pragma once

#include "platform/printer_provider.h"

#include <QDateTime>
#include <QPrinterInfo>
#include <QString>

#include <functional>

// The system's default printer through Qt print support. Where the system
// has no default printer, a PDF file in the user's documents folder stands
// in for it, and the finished file is handed to openDocument so the user
// sees it in the desktop's viewer.
class QtPrinterProvider final : public PrinterProvider
{
public:
    using OpenDocument = std::function<void(const QString &path)>;

    explicit QtPrinterProvider(OpenDocument openDocument);

    // Where the outside world comes in, so that tests can choose it: the
    // default printer (a null QPrinterInfo for none), the folder for the
    // stand-in's files (empty: the documents folder) and the clock that
    // names them.
    QtPrinterProvider(OpenDocument openDocument, std::function<QPrinterInfo()> defaultPrinter,
                      QString pdfFolder, std::function<QDateTime()> now);

    void RunJob(const std::function<void(Printer &printer)> &job) override;

    // "Kapuna 결과 2026-12-08 153012.pdf" for a document made at that time.
    static QString PdfFileName(const QDateTime &madeAt);

private:
    QString UnusedPdfPath() const;

    OpenDocument openDocument_;
    std::function<QPrinterInfo()> defaultPrinter_;
    QString pdfFolder_;
    std::function<QDateTime()> now_;
};
