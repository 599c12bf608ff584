#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

// Module `reg`: the program's settings, addressed the way the Windows
// registry addresses them — a predefined root, a backslash-separated key
// path and a value name. Neither call ever shows anything or throws: a
// failure is `false` from a write and empty text from a read, and the caller
// goes on.
class Registry
{
public:
    // Predefined roots, as the signed 32-bit numbers the handles are.
    static constexpr qint32 kHkeyCurrentUser = qint32(0x80000001u);
    static constexpr qint32 kHkeyLocalMachine = qint32(0x80000002u);

    // Value types, numbered as in the Windows registry.
    enum ValueType : quint32 {
        kRegNone = 0,
        kRegSz = 1,
        kRegExpandSz = 2,
        kRegBinary = 3,
        kRegDword = 4,
        kRegMultiSz = 7,
    };

    // A value is read into a buffer of this many bytes; a longer value reads
    // as empty text rather than as a truncated one.
    static constexpr int kReadLimit = 1024;

    virtual ~Registry() = default;

    // The text of a REG_SZ or REG_EXPAND_SZ value (environment references
    // left as stored), cut before its first zero character. A REG_DWORD reads
    // as its unsigned decimal number. Empty text when the key or value is
    // missing, the value is longer than kReadLimit bytes, its type is any
    // other, or the key may not be opened with full access.
    virtual QString ReadRegText(qint32 root, const QString &keyPath,
                                const QString &valueName) const = 0;

    // Creates the key with every missing parent and stores `value` as a
    // REG_SZ without a terminating zero (empty text stores zero bytes). True
    // only when the value was written.
    virtual bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                              const QString &value) = 0;

    // The settings store of the machine the program runs on: the registry
    // itself on Windows, the program's own store files elsewhere.
    static std::unique_ptr<Registry> ForThisSystem();
};
