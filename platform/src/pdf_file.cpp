#include "platform/pdf_file.h"

#include "platform/printer_error.h"
#include "platform/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace pdf_file {

namespace {

// A PDF ends with its end-of-file marker within the last few bytes.
constexpr qint64 kTailBytes = 64;

// Everything the writer produced has reached the disk and reads back as a
// PDF from its header to its end marker.
bool Whole(QTemporaryFile &file)
{
    const qint64 written = file.pos();
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return false;
#ifdef Q_OS_UNIX
    // A full disk may only show when the data is forced out.
    if (::fsync(file.handle()) != 0)
        return false;
#endif
    if (written <= 0 || file.size() != written || !file.seek(0))
        return false;
    if (file.read(5) != "%PDF-")
        return false;
    if (!file.seek(std::max<qint64>(0, written - kTailBytes)))
        return false;
    return file.read(kTailBytes).contains("%%EOF");
}

} // namespace

QString CannotSaveMessage(const QString &folder)
{
    return QStringLiteral("결과표를 PDF로 저장하지 못했습니다: %1").arg(QDir::toNativeSeparators(folder));
}

bool Save(const QtPrinter &page, const QString &path, const QMarginsF &marginsMm, Existing existing)
{
    const QString folder = QFileInfo(path).absolutePath();
    const auto fail = [&](const char *what) { return StandInError(what, CannotSaveMessage(folder)); };

    if (existing == Existing::Keep && QFileInfo::exists(path))
        return false;

    // Hidden, and named so that nobody takes it for a finished sheet.
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral(".Kapuna-XXXXXX.pdf.part")));
    if (!file.open())
        throw fail("the temporary file cannot be created");
    try {
        page.WritePdf(file, marginsMm);
    } catch (const PrinterError &) {
        throw fail("the PDF could not be written");
    }
    if (!Whole(file))
        throw fail("the PDF file is incomplete");
    file.close();
    // A temporary file is private to its owner; the sheet is an ordinary
    // document.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);

    if (existing == Existing::Replace)
        QFile::remove(path);
    // rename() never replaces a file: a name taken meanwhile stays taken.
    if (!file.rename(path)) {
        if (QFileInfo::exists(path) && existing == Existing::Keep)
            return false;
        throw fail("the PDF could not be given its name");
    }
    file.setAutoRemove(false);
    return true;
}

} // namespace pdf_file
