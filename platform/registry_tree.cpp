#include "platform/registry_tree.h"

namespace {

constexpr qsizetype kMaxKeyNameLength = 255;
const QChar kSeparator = u'\\';

} // namespace

std::optional<QStringList> RegistryTree::SplitKeyPath(const QString &path)
{
    if (path.isEmpty())
        return QStringList();
    QStringList parts = path.split(kSeparator);
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > kMaxKeyNameLength)
            return std::nullopt;
    }
    return parts;
}

qsizetype RegistryTree::KeyIndex(const QString &path) const
{
    return keyIndex_.value(Folded(path), -1);
}

bool RegistryTree::HasKey(const QString &path) const
{
    return path.isEmpty() || (SplitKeyPath(path) && KeyIndex(path) >= 0);
}

const RegistryTree::Value *RegistryTree::FindValue(const QString &path, const QString &name) const
{
    if (!SplitKeyPath(path))
        return nullptr;
    const qsizetype k = KeyIndex(path);
    if (k < 0)
        return nullptr;
    const Key &key = keys_[k];
    const qsizetype v = key.valueIndex_.value(Folded(name), -1);
    return v < 0 ? nullptr : &key.values[v];
}

qsizetype RegistryTree::AppendKey(const QString &path)
{
    Key key;
    key.path = path;
    keys_.append(std::move(key));
    keyIndex_.insert(Folded(path), keys_.size() - 1);
    return keys_.size() - 1;
}

bool RegistryTree::SetValue(const QString &path, const QString &name, quint32 type,
                            QByteArray data)
{
    const std::optional<QStringList> parts = SplitKeyPath(path);
    if (!parts)
        return false;

    // Walk down from the root, creating what is missing. A child's stored
    // path is built on its parent's stored path, so an existing "Software"
    // is not shadowed by a new "SOFTWARE\...".
    // The root always exists; it gets an entry only once it holds a value.
    qsizetype k = parts->isEmpty() ? KeyIndex(QString()) : -1;
    if (parts->isEmpty() && k < 0)
        k = AppendKey(QString());
    QString stored;
    for (const QString &part : *parts) {
        const QString candidate = stored.isEmpty() ? part : stored + kSeparator + part;
        k = KeyIndex(candidate);
        if (k < 0)
            k = AppendKey(candidate);
        stored = keys_[k].path;
    }

    Key &key = keys_[k];
    const QString folded = Folded(name);
    const qsizetype v = key.valueIndex_.value(folded, -1);
    if (v >= 0) {
        // Like the registry, a rewritten value keeps the name it had.
        key.values[v].type = type;
        key.values[v].data = std::move(data);
    } else {
        key.values.append({name, type, std::move(data)});
        key.valueIndex_.insert(folded, key.values.size() - 1);
    }
    return true;
}

bool RegistryTree::AddKey(const QString &path)
{
    if (!SplitKeyPath(path) || KeyIndex(path) >= 0)
        return false;
    AppendKey(path);
    return true;
}

bool RegistryTree::AddValueToLastKey(Value value)
{
    if (keys_.isEmpty())
        return false;
    Key &key = keys_.last();
    const QString folded = Folded(value.name);
    if (key.valueIndex_.contains(folded))
        return false;
    key.values.append(std::move(value));
    key.valueIndex_.insert(folded, key.values.size() - 1);
    return true;
}
