#pragma once

#include "platform/registry.h"

#include <QString>

// The settings store where there is no Windows registry: one file per root
// in the form of registry_format.h, text stored as UTF-8 (the read limit
// counts those bytes). HKEY_LOCAL_MACHINE lives in a machine-wide file,
// HKEY_CURRENT_USER in the user's configuration folder; every other root
// fails.
//
// Each call opens the file, does its work and lets go, so nothing stays open
// between calls. A write replaces the whole file atomically (a crash
// mid-write leaves the old file or the new one, never a mixture) under a lock
// file, so two programs writing at once do not lose each other's values.
// Where the user may not write the file or its folder (a machine-wide file
// for a user who is not an administrator), writes fail silently, as they do
// on Windows; reads still work for whoever may read the file.
class RegistryFileStore final : public Registry
{
public:
    // A file larger than this is not one this program wrote: it reads as
    // empty, and a write that would grow the store past it fails.
    static constexpr qsizetype kMaxFileBytes = 16 * 1024 * 1024;

    RegistryFileStore(QString machineFile, QString userFile);

    static QString DefaultMachineFile();
    static QString DefaultUserFile();

    QString ReadRegText(qint32 root, const QString &keyPath,
                        const QString &valueName) const override;
    bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                      const QString &value) override;

    // The file that holds `root`; empty for a root this store does not keep.
    QString FileOf(qint32 root) const;

private:
    QString machineFile_;
    QString userFile_;
};
