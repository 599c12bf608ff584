#include "platform/pdf_file.h"

#include "platform/printer_error.h"
#include "platform/qt_printer.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QSaveFile>
#include <QTemporaryFile>

#include <optional>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace pdf_file {

namespace {

// A PDF ends with its end-of-file marker within the last few bytes.
constexpr qint64 kTailBytes = 64;

bool LooksWhole(const QByteArray &pdf)
{
    return pdf.startsWith("%PDF-") && pdf.right(kTailBytes).contains("%%EOF");
}

// Every byte has reached the disk.
bool OnDisk(QFileDevice &file, qint64 size)
{
    if (!file.flush() || file.error() != QFileDevice::NoError || file.size() != size)
        return false;
#ifdef Q_OS_UNIX
    // A full disk may only show when the data is forced out.
    if (::fsync(file.handle()) != 0)
        return false;
#endif
    return true;
}

// A file beside path that takes path's name only if nobody has it.
Result SaveNew(const QByteArray &pdf, const QString &path)
{
    // Hidden, and named so that nobody takes it for a finished sheet.
    QTemporaryFile file(QFileInfo(path).dir().filePath(QStringLiteral(".Kapuna-XXXXXX.pdf.part")));
    if (!file.open() || file.write(pdf) != pdf.size() || !OnDisk(file, pdf.size()))
        return Result::Failed;
    file.close();
    // A temporary file is private to its owner; the sheet is an ordinary
    // document.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    // rename() never replaces a file: a name taken meanwhile stays taken.
    if (!file.rename(path))
        return QFileInfo::exists(path) ? Result::NameTaken : Result::Failed;
    file.setAutoRemove(false);
    return Result::Saved;
}

// QSaveFile writes beside path and, on commit, renames over it: the old file
// is whole until the new one is.
Result SaveOver(const QByteArray &pdf, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        file.cancelWriting();
        return Result::Failed;
    }
    return file.commit() ? Result::Saved : Result::Failed;
}

} // namespace

Result Save(const std::function<void(QIODevice &)> &write, const QString &path, Existing existing)
{
    if (existing == Existing::Keep && QFileInfo::exists(path))
        return Result::NameTaken;
    // Made in memory first: a page that fails half-way never reaches the
    // folder.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    try {
        write(buffer);
    } catch (const PrinterError &) {
        return Result::Failed;
    }
    if (!LooksWhole(pdf))
        return Result::Failed;
    return existing == Existing::Keep ? SaveNew(pdf, path) : SaveOver(pdf, path);
}

Outcome SaveDocument(const QString &path, const std::function<void(Printer &)> &job)
{
    const Outcome notSaved{Outcome::Kind::SheetNotSaved, QFileInfo(path).absolutePath()};
    std::optional<Result> result;
    QtPrinter page([&](const QtPrinter &finished) {
        result = Save([&](QIODevice &file) { finished.WritePdf(file, QMarginsF()); }, path,
                      Existing::Replace);
    });
    try {
        job(page);
    } catch (const PrinterError &) {
        return notSaved;
    }
    if (!result)
        throw std::logic_error("a document to save that made no page");
    return *result == Result::Saved ? Outcome{Outcome::Kind::Saved, path} : notSaved;
}

QString SheetName(const QDateTime &madeAt)
{
    return QStringLiteral("Kapuna 결과 %1.pdf").arg(madeAt.toString(QStringLiteral("yyyy-MM-dd HHmmss")));
}

} // namespace pdf_file
