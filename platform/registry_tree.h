#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The keys and values of one root of the settings store, in memory. Key paths
// and value names match case-insensitively, as the Windows registry matches
// them, while each keeps the case it was created with. Lookups go through
// hash indexes so that a store of many keys (or a hostile file posing as one)
// costs linear time to load, never quadratic.
class RegistryTree
{
public:
    struct Value
    {
        QString name;
        quint32 type = 0;
        QByteArray data;

        bool operator==(const Value &) const = default;
    };

    struct Key
    {
        QString path; // components joined by single backslashes; empty for the root
        QList<Value> values;

        bool operator==(const Key &other) const
        {
            return path == other.path && values == other.values;
        }

    private:
        friend class RegistryTree;
        QHash<QString, qsizetype> valueIndex_; // case-folded name -> index in values
    };

    // The components of a key path, or nothing when the path is not one a
    // registry would accept: an empty component (leading, trailing or doubled
    // backslash) or a component longer than 255 characters. The empty path
    // names the root itself.
    static std::optional<QStringList> SplitKeyPath(const QString &path);

    bool HasKey(const QString &path) const;
    const Value *FindValue(const QString &path, const QString &name) const;

    // Creates the key and every missing parent (new components keep the case
    // given here, existing ones their own) and sets the value, replacing any
    // value of the same name. False, and no change, for an invalid path.
    bool SetValue(const QString &path, const QString &name, quint32 type, QByteArray data);

    // For the file reader, which must see duplicates as corruption: adds a key
    // exactly as named (its parents are not implied) unless it exists, and
    // adds a value to the last key added unless its name exists there.
    bool AddKey(const QString &path);
    bool AddValueToLastKey(Value value);

    const QList<Key> &Keys() const { return keys_; }

    bool operator==(const RegistryTree &other) const { return keys_ == other.keys_; }

private:
    static QString Folded(const QString &text) { return text.toCaseFolded(); }
    qsizetype KeyIndex(const QString &path) const;
    qsizetype AppendKey(const QString &path);

    QList<Key> keys_;
    QHash<QString, qsizetype> keyIndex_; // case-folded path -> index in keys_
};
