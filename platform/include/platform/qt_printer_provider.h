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
// Where the system has no default printer (or no print system), a PDF file
// in the user's documents folder stands in for it, and the finished file is
// handed to openDocument so the user sees it in the desktop's viewer.
class QtPrinterProvider final : public PrinterProvider
{
public:
    // Returns whether a viewer took the document.
    using OpenDocument = std::function<bool(const QString &path)>;

    // One deadline bounds a print from the press: every wait on the print
    // system ends by then, and a print system that has not answered is a
    // printer failure, or an unconfirmed print once the sheet has left.
    static constexpr std::chrono::milliseconds kPrintSystemDeadline{5000};
    // The window stops waiting this long after the deadline for whatever
    // the deadline cannot cut short (a name lookup, a connection made
    // again): so the answer comes within 6 seconds of the press.
    static constexpr std::chrono::milliseconds kGiveUpAfterDeadline{500};
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

    Outcome RunJob(const Job &job) override;

    // The folder the stand-in writes to by default: the documents folder
    // when the user has a home folder, else the temporary folder; never the
    // filesystem's root.
    static QString DefaultPdfFolder();

private:
    using Deadline = PrintSystem::Deadline;

    Outcome Print(const Job &job, Deadline deadline);
    Outcome SendToPrinter(const QtPrinter &page, const PrinterDestination &printer, Deadline deadline);
    Outcome SaveStandIn(const QtPrinter &page);

    OpenDocument openDocument_;
    // Shared with calls the window stopped waiting for, which may outlive
    // this provider.
    std::shared_ptr<PrintSystem> printSystem_;
    QString pdfFolder_;
    std::function<QDateTime()> now_;

    bool busy_ = false;
    QDateTime lastHandedOver_;
};
