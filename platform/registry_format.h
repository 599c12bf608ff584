#pragma once

#include "platform/registry_tree.h"

#include <QByteArray>
#include <QByteArrayView>

// The file form of one root of the settings store. A UTF-8 text file of
// LF-terminated lines, readable and editable by hand:
//
//     KapunaRegistry 1
//     [Software]
//     [Software\Westhaven]
//     [Software\Westhaven\Kapuna]
//     REG_SZ path=/opt/kapuna
//     end
//
// - The first line names the format and its version. A file of a later
//   version is left alone: it reads as empty and is never overwritten.
// - "[path]" starts a key; the path runs to the line's last "]". "[]" is the
//   root itself. Each key appears once; the writer lists every parent before
//   its children, but a reader does not insist on it.
// - "TYPE name=data" is a value of the key above it: TYPE is REG_NONE,
//   REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN,
//   REG_LINK, REG_MULTI_SZ, REG_QWORD, or any other type as its decimal
//   number; the name runs to the first "=", the data to the end of the line.
//   Data are the value's stored bytes: text as UTF-8 without a terminating
//   zero, a REG_DWORD as four little-endian bytes.
// - In paths, names and data, the bytes 00-1F, 7F, "%" and "=" are written as
//   "%" and two upper-case hex digits; every other byte stands for itself.
// - Empty lines and lines starting with "#" are ignored; a CR before a line's
//   LF is tolerated.
// - The last line is "end". A file without it was cut short and is corrupt
//   as a whole: a half-written value must never pass for a whole one.
namespace registry_format {

enum class Status {
    Ok,
    Corrupt,      // unreadable as a store: reads as empty, the next write replaces it
    NewerVersion, // written by a later program: reads as empty, writes are refused
};

struct Parsed
{
    Status status = Status::Corrupt;
    RegistryTree tree; // empty unless status is Ok
};

// Pure: depends on nothing but the bytes. Time and memory stay linear in the
// input whatever it holds; no length or count in it is trusted.
Parsed Parse(QByteArrayView bytes);

QByteArray Serialize(const RegistryTree &tree);

} // namespace registry_format
