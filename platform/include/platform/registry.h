#pragma once

#include <QString>
#include <QtGlobal>

// Module `reg`: the program's settings, addressed the way the Windows
// registry addresses them — a predefined root, a backslash-separated key
// path and a value name. Neither call ever shows anything or throws: a
// failure is `false` from a write and empty text from a read, and the caller
// goes on. SettingsStore is the store the program keeps.
class Registry
{
public:
    // Predefined roots, as the signed 32-bit numbers the handles are.
    static constexpr qint32 kHkeyCurrentUser = qint32(0x80000001u);
    static constexpr qint32 kHkeyLocalMachine = qint32(0x80000002u);

    // A value is read into a buffer of this many bytes; a longer value reads
    // as empty text rather than as a truncated one.
    static constexpr int kReadLimit = 1024;

    virtual ~Registry() = default;

    // The text of a text value, cut before its first zero character. Empty
    // text when the key or value is missing, the value is not text or is
    // longer than kReadLimit bytes (UTF-8), or the store cannot be read.
    virtual QString ReadRegText(qint32 root, const QString &keyPath,
                                const QString &valueName) const = 0;

    // Creates the key with every missing parent and stores `value` as text.
    // True only when the value was written.
    virtual bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                              const QString &value) = 0;
};
