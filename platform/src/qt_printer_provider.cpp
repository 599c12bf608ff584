#include "platform/qt_printer_provider.h"

#include "platform/busy_wait.h"
#include "platform/pdf_file.h"
#include "platform/printer_error.h"
#include "platform/qt_printer.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QStandardPaths>

#include <atomic>
#include <optional>
#include <stdexcept>

namespace {

// Two documents within one second get " (2)", " (3)", ... rather than one
// overwriting the other; past this many something else is wrong.
constexpr int kMaxSameNamed = 99;

const QString kJobTitle = QStringLiteral("Kapuna 결과");

// Clears a flag however the scope is left.
class BusyFlag
{
public:
    explicit BusyFlag(bool &flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~BusyFlag() { flag_ = false; }

private:
    bool &flag_;
};

} // namespace

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument)
    : QtPrinterProvider(std::move(openDocument), PrintSystem::ForThisSystem(), QString(),
                        &QDateTime::currentDateTime)
{
}

QtPrinterProvider::QtPrinterProvider(OpenDocument openDocument,
                                     std::unique_ptr<PrintSystem> printSystem, QString pdfFolder,
                                     std::function<QDateTime()> now)
    : openDocument_(std::move(openDocument))
    , printSystem_(std::move(printSystem))
    , pdfFolder_(std::move(pdfFolder))
    , now_(std::move(now))
{
}

QtPrinterProvider::~QtPrinterProvider() = default;

QString QtPrinterProvider::DefaultPdfFolder()
{
    // Without HOME, Qt takes the root for the home folder and would offer
    // "/Documents".
    const QFileInfo home(QDir::homePath());
    const bool homeUsable = home.isAbsolute() && !home.isRoot() && home.isDir();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (homeUsable && !documents.isEmpty() && !QFileInfo(documents).isRoot())
        return QDir::cleanPath(QFileInfo(documents).absoluteFilePath());
    return QDir::cleanPath(QDir::tempPath());
}

Outcome QtPrinterProvider::RunJob(const Job &job)
{
    // One press, one sheet: a press during a print, or right after one,
    // makes no second sheet.
    if (busy_)
        return {Outcome::Kind::SamePress};
    if (lastHandedOver_.isValid()) {
        const qint64 since = lastHandedOver_.msecsTo(now_());
        if (since >= 0 && since < kRepeatPressGuard.count())
            return {Outcome::Kind::SamePress};
    }
    const BusyFlag busy(busy_);
    const Outcome outcome = Print(job, std::chrono::steady_clock::now() + kPrintSystemDeadline);
    if (outcome.MadeASheet())
        lastHandedOver_ = now_();
    return outcome;
}

Outcome QtPrinterProvider::Print(const Job &job, Deadline deadline)
{
    try {
        std::optional<PrinterDestination> printer;
        if (printSystem_) {
            // The call owns what it uses: the window may stop waiting for it.
            auto found = std::make_shared<std::optional<PrinterDestination>>();
            if (!RunWhileBusy([system = printSystem_, found, deadline] { *found = system->DefaultPrinter(deadline); },
                              deadline + kGiveUpAfterDeadline))
                return {Outcome::Kind::PrinterFailure};
            printer = *found;
        }

        std::optional<Outcome> delivered;
        QtPrinter page([&](const QtPrinter &finished) {
            delivered = printer ? SendToPrinter(finished, *printer, deadline) : SaveStandIn(finished);
        });
        job(page);
        if (!delivered)
            throw std::logic_error("a print job that sent no page");
        return *delivered;
    } catch (const PrinterError &) {
        return {Outcome::Kind::PrinterFailure};
    }
}

Outcome QtPrinterProvider::SendToPrinter(const QtPrinter &page, const PrinterDestination &printer,
                                         Deadline deadline)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    page.WritePdf(buffer, printer.marginsMm);

    struct Call
    {
        std::atomic<bool> documentLeft = false;
        std::optional<PrintSystem::Sent> sent;
    };
    auto call = std::make_shared<Call>();
    const bool ended = RunWhileBusy(
        [system = printSystem_, call, printer, pdf, deadline] {
            call->sent = system->Submit(printer, pdf, kJobTitle, deadline, call->documentLeft);
        },
        deadline + kGiveUpAfterDeadline);
    // A sheet that has left may print: the user must not be told it failed.
    if (!ended)
        return {call->documentLeft ? Outcome::Kind::Unconfirmed : Outcome::Kind::PrinterFailure};
    return {*call->sent == PrintSystem::Sent::Confirmed ? Outcome::Kind::Printed : Outcome::Kind::Unconfirmed};
}

Outcome QtPrinterProvider::SaveStandIn(const QtPrinter &page)
{
    const QString folder = pdfFolder_.isEmpty() ? DefaultPdfFolder()
                                                : QDir::cleanPath(QFileInfo(pdfFolder_).absoluteFilePath());
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return {Outcome::Kind::NoFolder, folder};

    const QDir dir(folder);
    const QString name = pdf_file::SheetName(now_());
    const QString stem = name.chopped(4); // ".pdf"
    for (int n = 1; n <= kMaxSameNamed; ++n) {
        const QString path = dir.filePath(n == 1 ? name : QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
        const auto write = [&page](QIODevice &file) { page.WritePdf(file, QMarginsF()); };
        switch (pdf_file::Save(write, path, pdf_file::Existing::Keep)) {
        case pdf_file::Result::NameTaken:
            continue;
        case pdf_file::Result::Failed:
            return {Outcome::Kind::SheetNotSaved, folder};
        case pdf_file::Result::Saved:
            // Without a viewer the sheet would be made without a word of
            // where it went.
            return {openDocument_ && openDocument_(path) ? Outcome::Kind::StandInShown
                                                         : Outcome::Kind::StandInSaved,
                    path};
        }
    }
    return {Outcome::Kind::NoFreeName, folder};
}
