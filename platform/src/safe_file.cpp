#include "platform/safe_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace safe_file {

namespace {

// In MiB, as QImageReader counts it: one capped canvas in 32-bit colour,
// with room for the format conversions a decoder makes.
constexpr int kAllocationLimitMiB = int(kMaxPixels * 4 * 2 / (1024 * 1024));

ReadResult Refused(Refusal why)
{
    ReadResult result;
    result.refusal = why;
    return result;
}

enum class Longer { Refuse, Cut };

// Reads at most maxBytes + 1 from an open file: the extra byte tells a file
// that grew past the limit since its size was checked.
ReadResult ReadOpen(QFile &file, qint64 maxBytes, Longer longer)
{
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refused(Refusal::Unreadable);
    ReadResult result;
    if (bytes.size() > maxBytes) {
        if (longer == Longer::Refuse)
            return Refused(Refusal::TooLarge);
        bytes.truncate(maxBytes);
        result.cut = true;
    }
    result.bytes = std::move(bytes);
    return result;
}

ReadResult ReadChecked(const QString &path, qint64 maxBytes, Longer longer)
{
    if (path.isEmpty())
        return Refused(Refusal::NotPlain);
    const QFileInfo info(path);
    if (!info.isFile())
        return Refused(Refusal::NotPlain);
    if (longer == Longer::Refuse && info.size() > maxBytes)
        return Refused(Refusal::TooLarge);

#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a
    // writer. The type is checked again on the open file itself.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refused(Refusal::Unreadable);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Refused(Refusal::NotPlain);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refused(Refusal::Unreadable);
    }
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(Refusal::Unreadable);
#endif
    return ReadOpen(file, maxBytes, longer);
}

} // namespace

ReadResult Read(const QString &path, qint64 maxBytes)
{
    return ReadChecked(path, maxBytes, Longer::Refuse);
}

ReadResult ReadStart(const QString &path, qint64 maxBytes)
{
    return ReadChecked(path, maxBytes, Longer::Cut);
}

bool CanvasFits(QIODevice *device, qint64 maxPixels)
{
    QImageReader reader(device);
    const QSize size = reader.size();
    const bool fits = size.isValid() && !size.isEmpty()
                      && qint64(size.width()) * qint64(size.height()) <= maxPixels;
    device->reset();
    return fits;
}

QImage DecodeFirstFrame(const QByteArray &bytes, qint64 maxPixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly) || !CanvasFits(&buffer, maxPixels))
        return {};
    // The limit is Qt's one process-wide setting; every value set here is
    // the same, and well above any picture the program ships.
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (qint64(image.width()) * qint64(image.height()) > maxPixels)
        return {};
    return image;
}

QImage ReadPicture(const QString &path)
{
    const ReadResult read = Read(path, kMaxPictureBytes);
    return read.bytes ? DecodeFirstFrame(*read.bytes) : QImage();
}

} // namespace safe_file
