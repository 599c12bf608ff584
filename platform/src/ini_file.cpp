#include "platform/ini_file.h"

#include "platform/safe_file.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace {

// The file's bytes; empty when nothing is at the path, nothing at all when
// something is there that safe_file will not read (it must not be replaced
// by a file that lost its content).
std::optional<QByteArray> CurrentBytes(const QString &path)
{
    const safe_file::ReadResult read = safe_file::Read(path, IniFile::kMaxBytes);
    if (read.bytes)
        return read.bytes;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return std::nullopt;
    return QByteArray();
}

// Hands QSettings over a private copy of bytes, and the copy's path, to use.
// The copy lives in a folder of this process's own and goes with it.
template <typename Use>
bool WithCopy(const QByteArray &bytes, Use use)
{
    const QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    const QString copy = folder.filePath(QStringLiteral("copy.ini"));
    {
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    QSettings settings(copy, QSettings::IniFormat);
    return settings.status() == QSettings::NoError && use(settings, copy);
}

#ifdef Q_OS_UNIX
// An exclusive lock on a folder for the object's life. Locking the folder,
// not a lock file beside the settings, leaves nothing behind, and the lock
// goes with a process that dies holding it.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder)
        : fd_(::open(QFile::encodeName(folder).constData(),
                     O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC))
    {
        const QDeadlineTimer deadline(IniFile::kLockWaitMs);
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
                ::close(fd_);
                fd_ = -1;
                break;
            }
            QThread::msleep(10);
        }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_;
};
#else
// Where there are no pipes to fear, Qt's lock file does.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder)
        : file_(QDir(folder).filePath(QStringLiteral(".kapuna.lock")))
        , held_(file_.tryLock(IniFile::kLockWaitMs))
    {
    }
    bool Held() const { return held_; }

private:
    QLockFile file_;
    bool held_;
};
#endif

} // namespace

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
}

QVariant IniFile::Value(const QString &key) const
{
    const safe_file::ReadResult read = safe_file::Read(path_, kMaxBytes);
    QVariant value;
    if (read.bytes)
        WithCopy(*read.bytes, [&](QSettings &settings, const QString &) {
            value = settings.value(key);
            return true;
        });
    return value;
}

bool IniFile::SetValue(const QString &key, const QVariant &value)
{
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const FolderLock lock(folder);
    if (!lock.Held())
        return false;
    const std::optional<QByteArray> current = CurrentBytes(path_);
    if (!current)
        return false;
    QByteArray updated;
    const bool changed = WithCopy(*current, [&](QSettings &settings, const QString &copy) {
        settings.setValue(key, value);
        settings.sync();
        QFile file(copy);
        if (settings.status() != QSettings::NoError || !file.open(QIODevice::ReadOnly))
            return false;
        updated = file.readAll();
        return true;
    });
    if (!changed)
        return false;
    // A new file renamed over the old one: a reader sees the old settings or
    // the new ones, never a part, and a failed write leaves the old.
    QSaveFile file(path_);
    return file.open(QIODevice::WriteOnly) && file.write(updated) == updated.size()
           && file.commit();
}
