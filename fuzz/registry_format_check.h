#pragma once

#include "platform/registry_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What reading a settings store file must do with any bytes at all: only a
// whole store reads as one, and what it reads survives being written and
// read again unchanged.
namespace fuzz_checks {

namespace registry_format_detail {

inline const char *Name(registry_format::Status status)
{
    switch (status) {
    case registry_format::Status::Ok:
        return "Ok";
    case registry_format::Status::Corrupt:
        return "Corrupt";
    case registry_format::Status::NewerVersion:
        return "NewerVersion";
    }
    return "?";
}

} // namespace registry_format_detail

// Empty when every invariant holds, otherwise what broke.
inline QString CheckRegistryFormat(QByteArrayView input)
{
    using registry_format::Status;
    using registry_format_detail::Name;

    const registry_format::Parsed first = registry_format::Parse(input);
    if (first.status != Status::Ok) {
        if (!first.tree.Keys().isEmpty())
            return QStringLiteral("a %1 store still holds keys").arg(QLatin1String(Name(first.status)));
        return {};
    }

    // The end line is the last line of a whole store, so cutting off the
    // last line, or only its line end, leaves a store cut short.
    const QByteArrayView withoutLastLf = input.chopped(1);
    const qsizetype previousLf = withoutLastLf.lastIndexOf('\n');
    const registry_format::Parsed cut = registry_format::Parse(input.first(previousLf + 1));
    if (cut.status != Status::Corrupt)
        return QStringLiteral("the store without its last line reads as %1").arg(QLatin1String(Name(cut.status)));
    if (registry_format::Parse(withoutLastLf).status != Status::Corrupt)
        return QStringLiteral("the store without its last line end is not corrupt");

    const QByteArray once = registry_format::Serialize(first.tree);
    const registry_format::Parsed second = registry_format::Parse(once);
    if (second.status != Status::Ok)
        return QStringLiteral("the written store reads as %1").arg(QLatin1String(Name(second.status)));
    if (!(second.tree == first.tree))
        return QStringLiteral("the tree changed on being written and read back");
    const QByteArray twice = registry_format::Serialize(second.tree);
    if (twice != once)
        return QStringLiteral("writing the store again gave different bytes");
    return {};
}

} // namespace fuzz_checks
