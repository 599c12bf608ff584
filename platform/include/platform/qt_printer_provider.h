#pragma once

#include "platform/print_system.h"
#include "platform/printer_provider.h"

#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QtPrinter;

// The system's default printer: the result sheet is laid out with Qt,
// written as PDF and sent to the print system, which is asked first whether
// the printer is there and ready and afterwards whether it took the job.
// Where the system has no default printer, a PDF file in the user's
// documents folder stands in for it, and the finished file is handed to
// openDocument so the user sees it in the desktop's viewer; where no viewer
// takes it, the job ends with a StandInError that says where the file is.
class QtPrinterProvider final : public PrinterProvider
{
public:
    // Returns whether a viewer took the document.
    using OpenDocument = std::function<bool(const QString &path)>;

    // Longest the program waits for the print system at each step (finding
    // the printer, handing over the job) before it calls the printer
    // broken. The window keeps painting meanwhile.
    static constexpr std::chrono::seconds kPrintSystemTimeout{5};
    // A press of print this soon after a sheet was handed over is taken for
    // the same press (a user waiting for the viewer to open, or clicks made
    // during the wait): one press, one sheet.
    static constexpr std::chrono::milliseconds kRepeatPressGuard{2000};

    explicit QtPrinterProvider(OpenDocument openDocument);

    // Where the outside world comes in, so that tests can choose it: the
    // print system (null: there is never a printer), the folder for the
    // stand-in's files (empty: the documents folder) and the clock that
    // names them.
    QtPrinterProvider(OpenDocument openDocument, std::unique_ptr<PrintSystem> printSystem,
                      QString pdfFolder, std::function<QDateTime()> now);
    ~QtPrinterProvider() override;

    void RunJob(const std::function<void(Printer &printer)> &job) override;

    // "Kapuna 결과 2026-12-08 153012.pdf" for a document made at that time.
    static QString PdfFileName(const QDateTime &madeAt);

    // The folder the stand-in writes to by default: the documents folder
    // when the user has a home folder, else the temporary folder; never the
    // filesystem's root.
    static QString DefaultPdfFolder();

private:
    void SendToPrinter(const QtPrinter &page, const PrinterDestination &printer);
    void SaveStandIn(const QtPrinter &page);

    OpenDocument openDocument_;
    std::unique_ptr<PrintSystem> printSystem_;
    QString pdfFolder_;
    std::function<QDateTime()> now_;

    bool busy_ = false;
    QDateTime lastHandedOver_;
};
