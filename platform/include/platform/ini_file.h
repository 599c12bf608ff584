#pragma once

#include <QString>
#include <QVariant>

// One INI settings file, in QSettings' own format, that the program never
// lets QSettings open: QSettings opens its file with a plain open, which
// waits for ever on a pipe and reads a device to its end. The file's bytes
// come through safe_file's checks instead, and QSettings reads and changes
// a private copy of them.
//
// Anything at the path that is not a plain file within kMaxBytes (a pipe, a
// device, a folder, a huge file) counts as no settings: it reads as nothing
// and is never written over, so a write fails and leaves it as it was. A
// missing file reads as nothing and is made by the first write.
class IniFile
{
public:
    // Far above the few lines the program writes.
    static constexpr qint64 kMaxBytes = 64 * 1024;
    // How long a write waits for another program's write to the same folder.
    static constexpr int kLockWaitMs = 1000;

    explicit IniFile(QString path);

    const QString &Path() const { return path_; }

    // The value of key ("group/name"), or an invalid QVariant when the key or
    // the file is missing, or the file cannot be read or parsed.
    QVariant Value(const QString &key) const;

    // Sets key to value. The file is read again, changed and written whole,
    // the new one taking the old one's place in one step, under a lock on
    // its folder that every writer of this class takes. False, with the
    // file as it was, when its folder cannot be made or locked, the file is
    // there but cannot be read, or the new one cannot be written.
    bool SetValue(const QString &key, const QVariant &value);

private:
    QString path_;
};
