#pragma once

#include "platform/print_system.h"

// PrintSystem over libcups: the server of the CUPS_SERVER setting (the
// user's or the system's), reached over a connection of its own per call
// whose every wait gives up at the caller's deadline. It speaks IPP itself
// rather than through libcups' destination calls, which open connections of
// their own, browse the network and retry on their own clocks.
class CupsPrintSystem final : public PrintSystem
{
public:
    std::optional<PrinterDestination> DefaultPrinter(Deadline deadline) override;
    Sent Submit(const PrinterDestination &printer, const QByteArray &pdf, const QString &title,
                Deadline deadline, std::atomic<bool> &documentLeft) override;
};
