#pragma once

#include <QMarginsF>
#include <QString>

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
// call returns by its deadline (give or take a fraction of a second): a
// service that does not answer by then is a PrinterError, never a wait
// without end. Calls may run on any one thread at a time.
class PrintSystem
{
public:
    using Deadline = std::chrono::steady_clock::time_point;

    virtual ~PrintSystem() = default;

    // The default printer, checked: it exists, accepts jobs and reports no
    // error. A paused queue that still accepts is ready (the job waits in
    // it). No value when the system has no default printer or no print
    // service at all. Throws PrinterError when the default printer is not
    // ready or the service does not answer in time.
    virtual std::optional<PrinterDestination> DefaultPrinter(Deadline deadline) = 0;

    // Sends a finished PDF as one job titled title and returns the job's id
    // once the service has accepted it. Throws PrinterError when it is not
    // accepted or the service does not answer in time.
    virtual int Submit(const PrinterDestination &printer, const QString &pdfPath,
                       const QString &title, Deadline deadline) = 0;

    // The service of this system (CUPS where there is one), or null where
    // the program knows none: then there is never a printer.
    static std::unique_ptr<PrintSystem> ForThisSystem();
};
