#pragma once

#include "platform/print_system.h"

// PrintSystem over libcups: the server of the CUPS_SERVER setting (the
// user's or the system's), reached over a connection of its own whose every
// wait gives up at the caller's deadline.
class CupsPrintSystem final : public PrintSystem
{
public:
    std::optional<PrinterDestination> DefaultPrinter(Deadline deadline) override;
    int Submit(const PrinterDestination &printer, const QString &pdfPath, const QString &title,
               Deadline deadline) override;
};
