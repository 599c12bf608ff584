#include "platform/registry_file_store.h"

#include "platform/registry_format.h"
#include "platform/registry_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>

namespace {

// Long enough to outlast another program's write, short enough that start-up
// never hangs on a lock left by something odd.
constexpr int kLockWaitMs = 2000;

const QString kStoreName = QStringLiteral("Westhaven/kapuna-registry");

enum class LoadState {
    Missing,  // no file yet: an empty store
    Ok,
    Corrupt,  // reads as empty; a write starts a fresh store
    Unusable, // unreadable, too large or of a later version: reads as empty, writes fail
};

struct Loaded
{
    LoadState state = LoadState::Missing;
    RegistryTree tree;
};

Loaded Load(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    // A directory, a pipe or a device in the store's place is nothing to
    // read (a pipe would block the program at start-up).
    if (!info.isFile())
        return {LoadState::Unusable, {}};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > RegistryFileStore::kMaxFileBytes)
        return {LoadState::Unusable, {}};
    // Bounded even if the size reported was wrong or the file grows meanwhile.
    const QByteArray bytes = file.read(RegistryFileStore::kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > RegistryFileStore::kMaxFileBytes)
        return {LoadState::Unusable, {}};

    registry_format::Parsed parsed = registry_format::Parse(bytes);
    switch (parsed.status) {
    case registry_format::Status::Ok:
        return {LoadState::Ok, std::move(parsed.tree)};
    case registry_format::Status::Corrupt:
        return {LoadState::Corrupt, {}};
    case registry_format::Status::NewerVersion:
        break;
    }
    return {LoadState::Unusable, {}};
}

QString TextOf(const RegistryTree::Value &value)
{
    if (value.data.size() > Registry::kReadLimit)
        return {};
    switch (value.type) {
    case Registry::kRegSz:
    case Registry::kRegExpandSz: {
        const qsizetype zero = value.data.indexOf('\0');
        return QString::fromUtf8(zero < 0 ? value.data : value.data.first(zero));
    }
    case Registry::kRegDword:
        if (value.data.size() != 4)
            return {};
        return QString::number(qFromLittleEndian<quint32>(value.data.constData()));
    default:
        return {};
    }
}

} // namespace

RegistryFileStore::RegistryFileStore(QString machineFile, QString userFile)
    : machineFile_(std::move(machineFile))
    , userFile_(std::move(userFile))
{
}

QString RegistryFileStore::DefaultMachineFile()
{
    // A fixed place, not one taken from the environment: every user and
    // every session must find the same machine-wide store.
#if defined(Q_OS_MACOS)
    return QStringLiteral("/Library/Preferences/") + kStoreName;
#else
    return QStringLiteral("/etc/xdg/") + kStoreName;
#endif
}

QString RegistryFileStore::DefaultUserFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder.isEmpty() ? QString() : folder + u'/' + kStoreName;
}

QString RegistryFileStore::FileOf(qint32 root) const
{
    switch (root) {
    case kHkeyLocalMachine:
        return machineFile_;
    case kHkeyCurrentUser:
        return userFile_;
    default:
        return {};
    }
}

QString RegistryFileStore::ReadRegText(qint32 root, const QString &keyPath,
                                       const QString &valueName) const
{
    const QString file = FileOf(root);
    if (file.isEmpty() || !RegistryTree::SplitKeyPath(keyPath))
        return {};
    const Loaded loaded = Load(file);
    if (loaded.state != LoadState::Ok)
        return {};
    const RegistryTree::Value *value = loaded.tree.FindValue(keyPath, valueName);
    return value ? TextOf(*value) : QString();
}

bool RegistryFileStore::WriteRegText(qint32 root, const QString &keyPath,
                                     const QString &valueName, const QString &value)
{
    const QString file = FileOf(root);
    if (file.isEmpty() || !RegistryTree::SplitKeyPath(keyPath))
        return false;
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;

    // Read, change and replace under the lock, or a value written by another
    // program in between would be lost.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return false;

    Loaded loaded = Load(file);
    if (loaded.state == LoadState::Unusable)
        return false;
    RegistryTree tree = loaded.state == LoadState::Ok ? std::move(loaded.tree) : RegistryTree();
    if (!tree.SetValue(keyPath, valueName, kRegSz, value.toUtf8()))
        return false;
    const QByteArray bytes = registry_format::Serialize(tree);
    if (bytes.size() > kMaxFileBytes)
        return false;

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(bytes);
    return out.commit();
}
