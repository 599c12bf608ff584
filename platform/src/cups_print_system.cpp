#include "platform/cups_print_system.h"

#include "platform/printer_error.h"

#include <QFile>
#include <QStringList>

#include <cups/cups.h>

#include <algorithm>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait on the server looks at the deadline, in seconds.
constexpr double kDeadlinePoll = 0.2;

// One connection to the print server. libcups calls on it block only until
// the deadline: its timeout callback turns every wait past it into an
// error, which is then told apart from the server's own refusals.
class Connection
{
public:
    // Null http() when no server can be reached at all (none installed or
    // none running): a system without a print service.
    explicit Connection(PrintSystem::Deadline deadline)
        : deadline_(deadline)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int msec = int(std::max<long long>(1, left.count()));
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec,
                             nullptr);
        if (!http_) {
            CheckInTime();
            return;
        }
        httpSetTimeout(http_, kDeadlinePoll, &Connection::KeepWaiting, this);
    }
    ~Connection()
    {
        if (http_)
            httpClose(http_);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    http_t *http() const { return http_; }

    void CheckInTime() const
    {
        if (timedOut_ || Clock::now() >= deadline_)
            throw PrinterError("the print service did not answer in time");
    }

    // After a request: the server's refusal, if there was one.
    void CheckAnswer(const char *what) const
    {
        CheckInTime();
        if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
            throw PrinterError(std::string(what) + ": " + cupsLastErrorString());
    }

private:
    static int KeepWaiting(http_t *, void *self)
    {
        auto *connection = static_cast<Connection *>(self);
        if (Clock::now() < connection->deadline_)
            return 1;
        connection->timedOut_ = true;
        return 0;
    }

    PrintSystem::Deadline deadline_;
    http_t *http_ = nullptr;
    bool timedOut_ = false;
};

struct DestDeleter
{
    void operator()(cups_dest_t *dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

QString Option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

// Reasons ending in "-error" mean the printer cannot print now (out of
// paper, door open, backend failed); "-warning" and "-report" ones, and
// "paused", do not.
bool InError(const cups_dest_t &dest)
{
    const QStringList reasons = Option(dest, "printer-state-reasons").split(QLatin1Char(','));
    return std::any_of(reasons.begin(), reasons.end(), [](const QString &reason) {
        return reason.trimmed().endsWith(QLatin1String("-error"));
    });
}

} // namespace

std::optional<PrinterDestination> CupsPrintSystem::DefaultPrinter(Deadline deadline)
{
    Connection connection(deadline);
    if (!connection.http())
        return std::nullopt;

    // The user's choice (LPDEST, PRINTER, lpoptions) first, then the server's.
    const Dest dest(cupsGetNamedDest(connection.http(), nullptr, nullptr));
    connection.CheckInTime();
    if (!dest) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND || cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
            return std::nullopt;
        throw PrinterError(std::string("asking for the default printer: ") + cupsLastErrorString());
    }
    if (Option(*dest, "printer-is-accepting-jobs") != QLatin1String("true"))
        throw PrinterError("the default printer does not accept jobs");
    if (InError(*dest))
        throw PrinterError("the default printer reports an error");

    PrinterDestination printer;
    printer.name = QString::fromUtf8(dest->name);
    // The printable area of A4 on this printer; a printer that does not say
    // gets the whole sheet, as a PDF would.
    cups_dinfo_t *info = cupsCopyDestInfo(connection.http(), dest.get());
    connection.CheckInTime();
    if (info) {
        cups_size_t size{};
        if (cupsGetDestMediaByName(connection.http(), dest.get(), info, CUPS_MEDIA_A4,
                                   CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
            // libcups gives hundredths of a millimetre.
            printer.marginsMm = QMarginsF(size.left, size.top, size.right, size.bottom) / 100.0;
        }
        cupsFreeDestInfo(info);
        connection.CheckInTime();
    }
    return printer;
}

int CupsPrintSystem::Submit(const PrinterDestination &printer, const QString &pdfPath,
                            const QString &title, Deadline deadline)
{
    Connection connection(deadline);
    if (!connection.http())
        throw PrinterError("the print service has gone away");

    cups_option_t *options = nullptr;
    int count = cupsAddOption("media", CUPS_MEDIA_A4, 0, &options);
    const int job = cupsPrintFile2(connection.http(), printer.name.toUtf8().constData(),
                                   QFile::encodeName(pdfPath).constData(),
                                   title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    connection.CheckAnswer("sending the sheet");
    if (job <= 0)
        throw PrinterError("the printer did not take the job");
    return job;
}
