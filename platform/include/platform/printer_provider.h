#pragma once

#include <functional>

class Printer;

// Hands out the system's default printer for one document. The printer
// lives only while job runs; a job that throws leaves an unfinished
// document, which is cancelled rather than printed.
class PrinterProvider
{
public:
    virtual ~PrinterProvider() = default;

    // Throws PrinterError when no printer can be had; exceptions from job
    // pass through unchanged.
    virtual void RunJob(const std::function<void(Printer &printer)> &job) = 0;
};
