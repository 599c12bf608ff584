#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

// A printer the print system named as the default and found ready.
struct PrinterDestination
{
    QString name;
    // The edges of an A4 sheet that the printer cannot print on, in mm.
    QMarginsF marginsMm;
};

// The system's print service, asked only what the result sheet needs. Every
// call gives up at its deadline (give or take a fraction of a second): a
// service that does not answer by then is a PrinterError. The caller bounds
// what no deadline can reach (a name lookup, a connection the library makes
// again): calls may run on a thread that is given up on, and must then
// neither touch anything but their own arguments nor let a document leave
// after the deadline. Calls may run on any thread, several at a time.
class PrintSystem
{
public:
    using Deadline = std::chrono::steady_clock::time_point;

    // What became of a job whose document the service received or may have.
    enum class Sent {
        // The service confirmed that it took the job with its document.
        Confirmed,
        // The whole document left for the service, which did not confirm
        // it by the deadline: it may yet print.
        Unconfirmed,
    };

    virtual ~PrintSystem() = default;

    // The default printer, checked: it exists, accepts jobs and reports no
    // error. A paused queue that still accepts is ready (the job waits in
    // it). The user's choice of a default (LPDEST, PRINTER, lpoptions) comes
    // before the service's own. No value when there is no default printer at
    // all or no print service to ask. Throws PrinterError when a printer is
    // named as the default but the service does not have it, when it is not
    // ready, or when the service does not answer in time.
    virtual std::optional<PrinterDestination> DefaultPrinter(Deadline deadline) = 0;

    // Sends a finished PDF as one job titled title. documentLeft turns true
    // the moment the whole document has left for the service. Throws
    // PrinterError when the job is refused, or fails before the whole
    // document has left, or the service shuts the connection without an
    // answer; a document never leaves after the deadline.
    virtual Sent Submit(const PrinterDestination &printer, const QByteArray &pdf, const QString &title,
                        Deadline deadline, std::atomic<bool> &documentLeft) = 0;

    // The service of this system (CUPS where there is one), or null where
    // the program knows none: then there is never a printer.
    static std::unique_ptr<PrintSystem> ForThisSystem();
};
