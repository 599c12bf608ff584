#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/registry.h"

// The Windows registry itself, through the single-byte (ANSI code page)
// functions of advapi32. Every call opens the key with full access, does its
// work and closes it again, so a key the user may not write (HKEY_LOCAL_MACHINE
// without administrator rights) fails to write and reads as empty.
class RegistryWin32 final : public Registry
{
public:
    QString ReadRegText(qint32 root, const QString &keyPath,
                        const QString &valueName) const override;
    bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                      const QString &value) override;
};

#endif
