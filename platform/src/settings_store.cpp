#include "platform/settings_store.h"

#include <QDir>
#include <QSettings>

namespace {

const QString kApplicationFile = QStringLiteral("Westhaven/Kapuna.ini");
const QString kZoomValue = QStringLiteral("zoom");
// The user's INI file is the program's own; a registry hive is shared by
// every program, so there the zoom sits under the program's key.
const QString kZoomFileKeyPath = QStringLiteral("window");
const QString kZoomRegistryKeyPath = QStringLiteral("Software\\Westhaven\\Kapuna\\window");

} // namespace

std::unique_ptr<SettingsStore> SettingsStore::ForThisSystem()
{
#ifdef Q_OS_WIN
    return std::unique_ptr<SettingsStore>(
        new SettingsStore(Place{IniFile(QString()), QStringLiteral("HKEY_LOCAL_MACHINE")},
                          Place{IniFile(QString()), QStringLiteral("HKEY_CURRENT_USER")}));
#else
    return std::make_unique<SettingsStore>(MachineFile(), UserFile());
#endif
}

SettingsStore::SettingsStore(QString machineFile, QString userFile)
    : SettingsStore(Place{IniFile(std::move(machineFile)), QString()},
                    Place{IniFile(std::move(userFile)), QString()})
{
}

SettingsStore::SettingsStore(Place machine, Place user)
    : machine_(std::move(machine))
    , user_(std::move(user))
{
}

QString SettingsStore::MachineFile()
{
    const QStringList folders =
        QString::fromLocal8Bit(qgetenv("XDG_CONFIG_DIRS")).split(u':', Qt::SkipEmptyParts);
    for (const QString &folder : folders) {
        if (QDir::isAbsolutePath(folder))
            return QDir(folder).filePath(kApplicationFile);
    }
    return QStringLiteral("/etc/xdg/") + kApplicationFile;
}

QString SettingsStore::UserFile()
{
    const QString home = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    const QString folder = QDir::isAbsolutePath(home) ? home
                                                      : QDir::homePath() + QStringLiteral("/.config");
    return QDir(folder).filePath(kApplicationFile);
}

QVariant SettingsStore::Read(const Place &place, const QString &keyPath, const QString &valueName)
{
    if (!place.hive.isEmpty()) {
        const QSettings key(place.hive + u'\\' + keyPath, QSettings::NativeFormat);
        return key.status() == QSettings::NoError ? key.value(valueName) : QVariant();
    }
    QString path = keyPath;
    path.replace(u'\\', u'/');
    return place.file.Value(path + u'/' + valueName);
}

bool SettingsStore::Write(Place &place, const QString &keyPath, const QString &valueName,
                          const QVariant &value)
{
    if (!place.hive.isEmpty()) {
        QSettings key(place.hive + u'\\' + keyPath, QSettings::NativeFormat);
        key.setValue(valueName, value);
        key.sync();
        return key.status() == QSettings::NoError;
    }
    QString path = keyPath;
    path.replace(u'\\', u'/');
    return place.file.SetValue(path + u'/' + valueName, value);
}

QString SettingsStore::ReadRegText(qint32 root, const QString &keyPath,
                                   const QString &valueName) const
{
    const Place *place = PlaceOf(*this, root);
    if (!place)
        return {};
    const QVariant value = Read(*place, keyPath, valueName);
    // Numbers, lists and binary values are not text.
    if (value.typeId() != QMetaType::QString)
        return {};
    QString text = value.toString();
    if (text.toUtf8().size() > kReadLimit)
        return {};
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

bool SettingsStore::WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                                 const QString &value)
{
    Place *place = PlaceOf(*this, root);
    return place && Write(*place, keyPath, valueName, value);
}

std::optional<int> SettingsStore::ZoomPercent() const
{
    const QVariant value = Read(user_, user_.hive.isEmpty() ? kZoomFileKeyPath : kZoomRegistryKeyPath,
                                kZoomValue);
    bool ok = false;
    const int percent = value.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return percent;
}

bool SettingsStore::WriteZoomPercent(int percent)
{
    return Write(user_, user_.hive.isEmpty() ? kZoomFileKeyPath : kZoomRegistryKeyPath, kZoomValue,
                 percent);
}
