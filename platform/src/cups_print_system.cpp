#include "platform/cups_print_system.h"

#include "platform/printer_error.h"
#include "platform/safe_file.h"

#include <QDir>
#include <QList>

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait on the server looks at the deadline, in seconds.
constexpr double kDeadlinePoll = 0.2;
// The document goes out in pieces, the deadline looked at before each.
constexpr qsizetype kPiece = 16 * 1024;
// An lpoptions file is a few lines; a larger one is no settings file.
constexpr qint64 kMaxOptionsBytes = 256 * 1024;
// A4 in hundredths of a millimetre, as IPP gives sizes, and how far a size
// may be from it (printers round their sizes).
constexpr int kA4Width = 21000;
constexpr int kA4Length = 29700;
constexpr int kSizeTolerance = 100;

const char *const kPrinterAttributes[] = {"printer-name", "printer-is-accepting-jobs",
                                          "printer-state-reasons", "media-col-database"};

struct IppDeleter
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// Nobody is at hand to type a password: libcups would otherwise ask on the
// terminal the program was started from, and wait there.
const char *NoPassword(const char *, http_t *, const char *, const char *, void *)
{
    return nullptr;
}

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
        // Per thread in libcups, and every call runs on a fresh thread.
        cupsSetPasswordCB2(&NoPassword, nullptr);
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
    bool TimedOut() const { return timedOut_; }

    void CheckInTime() const
    {
        if (timedOut_ || Clock::now() >= deadline_)
            throw PrinterError("the print service did not answer in time");
    }

    // Sends request (which this takes) and returns the answer, whatever its
    // status; throws when none came.
    Ipp Ask(ipp_t *request, const std::string &resource) const
    {
        Ipp response(cupsDoRequest(http_, request, resource.c_str()));
        CheckInTime();
        if (!response)
            throw PrinterError(std::string("no answer from the print service: ") + cupsLastErrorString());
        return response;
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

bool Refused(ipp_t *response)
{
    return ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::string PrinterUri(const std::string &name)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.c_str());
    return uri;
}

// The printer an lpoptions file makes the default ("Default NAME[/INSTANCE]
// options..."), read without waiting on whatever the path turns out to be.
std::optional<QString> DefaultIn(const QString &path)
{
    const safe_file::ReadResult read = safe_file::Read(path, kMaxOptionsBytes);
    if (!read.bytes)
        return std::nullopt;
    for (const QByteArray &line : read.bytes->split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words.at(0).compare("Default", Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(words.at(1));
    }
    return std::nullopt;
}

// The default the user or this system chose, in libcups' order: LPDEST,
// PRINTER (but not the traditional "lp"), the user's lpoptions, the
// system's lpoptions. Instances ("name/instance") name their printer.
std::optional<QString> ChosenDefault()
{
    std::optional<QString> chosen;
    const QString lpdest = qEnvironmentVariable("LPDEST");
    const QString printer = qEnvironmentVariable("PRINTER");
    if (!lpdest.isEmpty())
        chosen = lpdest;
    else if (!printer.isEmpty() && printer != QLatin1String("lp"))
        chosen = printer;
    const QString home = qEnvironmentVariable("HOME");
    if (!chosen && !home.isEmpty())
        chosen = DefaultIn(QDir(home).filePath(QStringLiteral(".cups/lpoptions")));
    if (!chosen) {
        const QString serverRoot = qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups"));
        chosen = DefaultIn(QDir(serverRoot).filePath(QStringLiteral("lpoptions")));
    }
    if (chosen)
        chosen = chosen->section(QLatin1Char('/'), 0, 0);
    return chosen;
}

int Integer(ipp_t *collection, const char *name)
{
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

// Reasons ending in "-error" mean the printer cannot print now (out of
// paper, door open, backend failed); "-warning" and "-report" ones, and
// "paused", do not.
bool InError(ipp_t *printer)
{
    ipp_attribute_t *reasons = ippFindAttribute(printer, "printer-state-reasons", IPP_TAG_KEYWORD);
    for (int i = 0; i < ippGetCount(reasons); ++i) {
        const std::string reason = ippGetString(reasons, i, nullptr);
        if (reason.size() >= 6 && reason.compare(reason.size() - 6, 6, "-error") == 0)
            return true;
    }
    return false;
}

// The unprintable edges of A4 on this printer, in mm. Where the printer
// lists A4 more than once (with and without borders), the largest edges,
// which print everywhere; a printer that does not say gets the whole sheet,
// as a PDF would.
QMarginsF A4Margins(ipp_t *printer)
{
    ipp_attribute_t *database = ippFindAttribute(printer, "media-col-database", IPP_TAG_BEGIN_COLLECTION);
    std::optional<QMarginsF> widest;
    for (int i = 0; i < ippGetCount(database); ++i) {
        ipp_t *media = ippGetCollection(database, i);
        ipp_t *size = ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
        if (!size || std::abs(Integer(size, "x-dimension") - kA4Width) > kSizeTolerance
            || std::abs(Integer(size, "y-dimension") - kA4Length) > kSizeTolerance)
            continue;
        const QMarginsF edges(Integer(media, "media-left-margin"), Integer(media, "media-top-margin"),
                              Integer(media, "media-right-margin"), Integer(media, "media-bottom-margin"));
        if (!widest
            || (edges.left() >= widest->left() && edges.top() >= widest->top()
                && edges.right() >= widest->right() && edges.bottom() >= widest->bottom()))
            widest = edges;
    }
    // IPP gives hundredths of a millimetre.
    return widest ? *widest / 100.0 : QMarginsF();
}

void RequestPrinterAttributes(ipp_t *request)
{
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kPrinterAttributes)), nullptr, kPrinterAttributes);
}

} // namespace

std::optional<PrinterDestination> CupsPrintSystem::DefaultPrinter(Deadline deadline)
{
    Connection connection(deadline);
    if (!connection.http())
        return std::nullopt;

    Ipp printer;
    if (const std::optional<QString> chosen = ChosenDefault()) {
        const std::string name = chosen->toStdString();
        ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     PrinterUri(name).c_str());
        RequestPrinterAttributes(request);
        printer = connection.Ask(request, "/");
        // A named printer that is not there is a broken setting, not a
        // system without printers.
        if (Refused(printer.get()))
            throw PrinterError("the default printer " + name + ": " + ippErrorString(ippGetStatusCode(printer.get())));
    } else {
        ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
        RequestPrinterAttributes(request);
        printer = connection.Ask(request, "/");
        if (ippGetStatusCode(printer.get()) == IPP_STATUS_ERROR_NOT_FOUND)
            return std::nullopt;
        if (Refused(printer.get()))
            throw PrinterError(std::string("asking for the default printer: ")
                               + ippErrorString(ippGetStatusCode(printer.get())));
    }

    const char *name = ippGetString(ippFindAttribute(printer.get(), "printer-name", IPP_TAG_NAME), 0, nullptr);
    if (!name || !*name)
        throw PrinterError("the default printer has no name");
    if (!ippGetBoolean(ippFindAttribute(printer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN), 0))
        throw PrinterError("the default printer does not accept jobs");
    if (InError(printer.get()))
        throw PrinterError("the default printer reports an error");
    return PrinterDestination{QString::fromUtf8(name), A4Margins(printer.get())};
}

PrintSystem::Sent CupsPrintSystem::Submit(const PrinterDestination &printer, const QByteArray &pdf,
                                          const QString &title, Deadline deadline,
                                          std::atomic<bool> &documentLeft)
{
    Connection connection(deadline);
    if (!connection.http())
        throw PrinterError("the print service has gone away");
    const std::string name = printer.name.toStdString();
    const std::string uri = PrinterUri(name);
    const std::string resource = "/printers/" + name;

    ipp_t *create = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(create, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(create, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(create, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.toUtf8().constData());
    ippAddString(create, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, CUPS_MEDIA_A4);
    const Ipp created = connection.Ask(create, resource);
    if (Refused(created.get()))
        throw PrinterError(std::string("the job was refused: ") + ippErrorString(ippGetStatusCode(created.get())));
    const int job = ippGetInteger(ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER), 0);
    if (job <= 0)
        throw PrinterError("the print service gave the job no number");

    ipp_t *send = ippNewRequest(IPP_OP_SEND_DOCUMENT);
    ippAddString(send, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddInteger(send, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(send, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(send, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    ippAddBoolean(send, IPP_TAG_OPERATION, "last-document", 1);
    const http_status_t started = cupsSendRequest(connection.http(), send, resource.c_str(), CUPS_LENGTH_VARIABLE);
    ippDelete(send);
    connection.CheckInTime();
    if (started != HTTP_STATUS_CONTINUE)
        throw PrinterError(std::string("the document was not taken: ") + cupsLastErrorString());
    // The body goes in chunks and counts only once its last, empty chunk is
    // out: until then the service throws an unfinished document away, so
    // nothing leaves once the deadline has passed.
    for (qsizetype at = 0; at < pdf.size(); at += kPiece) {
        connection.CheckInTime();
        const qsizetype piece = std::min(kPiece, pdf.size() - at);
        if (cupsWriteRequestData(connection.http(), pdf.constData() + at, size_t(piece)) != HTTP_STATUS_CONTINUE)
            throw PrinterError("the document could not be sent");
    }
    connection.CheckInTime();
    httpWrite2(connection.http(), "", 0);
    if (httpError(connection.http()) != 0 || httpFlushWrite(connection.http()) < 0)
        throw PrinterError("the end of the document could not be sent");
    documentLeft = true;

    const Ipp answer(cupsGetResponse(connection.http(), resource.c_str()));
    if (!answer) {
        // A server that is there but silent may still print it; one that
        // shut the connection has dropped the unfinished job.
        if (connection.TimedOut() || Clock::now() >= deadline)
            return Sent::Unconfirmed;
        throw PrinterError(std::string("the print service broke off: ") + cupsLastErrorString());
    }
    if (Refused(answer.get()))
        throw PrinterError(std::string("the document was refused: ") + ippErrorString(ippGetStatusCode(answer.get())));
    return Sent::Confirmed;
}
