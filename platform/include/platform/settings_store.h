#pragma once

#include "platform/ini_file.h"
#include "platform/registry.h"

#include <QString>

#include <memory>
#include <optional>

// The program's one settings service: the machine-wide record of its folder
// (read and written as the registry routines of `reg`) and the player's
// remembered zoom. The window gets it through Services; tests give it a
// store of their own on two files in a scratch folder.
//
// On Windows the store of this system is the registry: HKEY_LOCAL_MACHINE
// and HKEY_CURRENT_USER, the zoom the value "zoom" of the key
// HKEY_CURRENT_USER\Software\Westhaven\Kapuna\window. Elsewhere each
// root is an INI file read and written only through IniFile's checks
// (MachineFile() and UserFile()), the zoom the value "zoom" of the group
// "window" of the user's file. A file that is not a plain file (a pipe, a
// device, a folder) holds no settings: reads give nothing, writes fail, and
// the program goes on without them. Writing the machine-wide file needs the
// rights to it, as the registry key does on Windows; without them the write
// fails and nothing else happens.
class SettingsStore final : public Registry
{
public:
    // The settings of the machine the program runs on.
    static std::unique_ptr<SettingsStore> ForThisSystem();

    // A store on two INI files of the caller's choice, on every system.
    SettingsStore(QString machineFile, QString userFile);

    // Where QSettings keeps an application's INI files outside Windows: the
    // first folder of $XDG_CONFIG_DIRS, else /etc/xdg, and $XDG_CONFIG_HOME,
    // else ~/.config, each followed by Westhaven/Kapuna.ini.
    static QString MachineFile();
    static QString UserFile();

    QString ReadRegText(qint32 root, const QString &keyPath,
                        const QString &valueName) const override;
    bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                      const QString &value) override;

    // The zoom the player last chose, in percent; nothing when none was
    // remembered or what is there is not a whole number.
    std::optional<int> ZoomPercent() const;
    // True when it was remembered.
    bool WriteZoomPercent(int percent);

private:
    // An INI file, or on Windows the registry hive named by `hive`.
    struct Place
    {
        IniFile file;
        QString hive;
    };

    SettingsStore(Place machine, Place user);
    // The place of a root, as const as the store; null for any other root.
    template <typename Store>
    static auto *PlaceOf(Store &store, qint32 root)
    {
        return root == kHkeyLocalMachine ? &store.machine_
               : root == kHkeyCurrentUser ? &store.user_
                                          : nullptr;
    }
    static QVariant Read(const Place &place, const QString &keyPath, const QString &valueName);
    static bool Write(Place &place, const QString &keyPath, const QString &valueName,
                      const QVariant &value);

    Place machine_;
    Place user_;
};
