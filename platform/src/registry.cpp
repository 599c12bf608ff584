#include "platform/registry.h"

#include <QSettings>

#include <optional>

namespace {

// The settings of `root` and the key of the value inside them.
struct Place
{
    std::unique_ptr<QSettings> settings;
    QString key;
};

std::optional<Place> Locate(qint32 root, const QString &keyPath, const QString &valueName)
{
#ifdef Q_OS_WIN
    QString hive;
    if (root == Registry::kHkeyLocalMachine)
        hive = QStringLiteral("HKEY_LOCAL_MACHINE\\");
    else if (root == Registry::kHkeyCurrentUser)
        hive = QStringLiteral("HKEY_CURRENT_USER\\");
    else
        return std::nullopt;
    return Place{std::make_unique<QSettings>(hive + keyPath, QSettings::NativeFormat), valueName};
#else
    QString path = keyPath;
    path.replace(u'\\', u'/');
    QSettings::Scope scope;
    if (root == Registry::kHkeyLocalMachine)
        scope = QSettings::SystemScope;
    else if (root == Registry::kHkeyCurrentUser)
        scope = QSettings::UserScope;
    else
        return std::nullopt;
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, scope,
                                                QStringLiteral("Westhaven"),
                                                QStringLiteral("Kapuna"));
    // Without this the system scope would also answer from the user's file.
    settings->setFallbacksEnabled(false);
    return Place{std::move(settings), path + u'/' + valueName};
#endif
}

} // namespace

std::unique_ptr<Registry> Registry::ForThisSystem()
{
    return std::make_unique<SettingsRegistry>();
}

QString SettingsRegistry::ReadRegText(qint32 root, const QString &keyPath,
                                      const QString &valueName) const
{
    const std::optional<Place> place = Locate(root, keyPath, valueName);
    if (!place || place->settings->status() != QSettings::NoError)
        return {};
    const QVariant value = place->settings->value(place->key);
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

bool SettingsRegistry::WriteRegText(qint32 root, const QString &keyPath,
                                    const QString &valueName, const QString &value)
{
    const std::optional<Place> place = Locate(root, keyPath, valueName);
    if (!place || place->settings->status() != QSettings::NoError)
        return false;
    place->settings->setValue(place->key, value);
    place->settings->sync();
    return place->settings->status() == QSettings::NoError;
}
